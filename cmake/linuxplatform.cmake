# The Linux platform services (included by framework/CMakeLists.txt): the
# portable recursive lock, POSIX files and the services of platform/linux.
find_package(Threads REQUIRED)
find_package(X11 REQUIRED)
add_library(vexplatform STATIC
  ${PROJECT_SOURCE_DIR}/framework/platform/headless/headlesslock.cpp
  ${PROJECT_SOURCE_DIR}/framework/platform/headless/posixfilelock.cpp
  ${PROJECT_SOURCE_DIR}/framework/platform/headless/posixwholefile.cpp
  ${PROJECT_SOURCE_DIR}/framework/platform/headless/xdgfolders.cpp
  ${PROJECT_SOURCE_DIR}/framework/platform/linux/linuxmessage.cpp
  ${PROJECT_SOURCE_DIR}/framework/platform/linux/linuxplatform.cpp)
target_link_libraries(vexplatform PUBLIC ${CMAKE_DL_LIBS} Threads::Threads X11::X11)
