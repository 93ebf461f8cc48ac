# The editor's back end on Linux (included by framework/CMakeLists.txt).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
set(vex_gui ${PROJECT_SOURCE_DIR}/framework/gui)
target_sources(vexgui PRIVATE ${vex_gui}/headless/headlesseditbox.cpp ${vex_gui}/headless/headlessfolderbrowser.cpp
  ${vex_gui}/headless/headlesswindow.cpp ${vex_gui}/headless/headlessskinbitmap.cpp
  ${vex_gui}/headless/headlesssystemmenu.cpp)
target_link_libraries(vexgui PUBLIC PkgConfig::CAIRO)
