# The editor's back end on Linux (included by framework/CMakeLists.txt): the
# X11 window with the drawing it shares with the headless back end, and the
# headless back end's skin images (Cairo surfaces from PNG files).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-xlib)
find_package(X11 REQUIRED)
set(vex_gui ${PROJECT_SOURCE_DIR}/framework/gui)
target_sources(vexgui PRIVATE ${vex_gui}/cairo/cairodrawing.cpp ${vex_gui}/headless/headlessskinbitmap.cpp
  ${vex_gui}/x11/x11window.cpp ${vex_gui}/x11/x11systemmenu.cpp
  ${vex_gui}/x11/x11editbox.cpp ${vex_gui}/x11/x11folderbrowser.cpp
)
target_link_libraries(vexgui PUBLIC PkgConfig::CAIRO X11::X11)
