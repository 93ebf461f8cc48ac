# GoogleTest from the sources Debian's googletest package installs, so the
# native and the MinGW builds use the same code.
# Built without link-time optimisation: only our DLL needs it.
set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
set(vex_ipo ${CMAKE_INTERPROCEDURAL_OPTIMIZATION})
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION OFF)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ${vex_ipo})

# Boost.Filesystem: Debian's library natively, our own MinGW build on Windows
# (scripts/build-boost).
add_library(vex_boost_filesystem INTERFACE)
if(WIN32)
  set(VEX_DEPS ${CMAKE_SOURCE_DIR}/build/deps/${VEX_MINGW_TRIPLET})
  if(NOT EXISTS ${VEX_DEPS}/lib/libboost_filesystem.a)
    message(FATAL_ERROR "Boost.Filesystem for ${VEX_MINGW_TRIPLET} is missing: run scripts/setup")
  endif()
  target_include_directories(vex_boost_filesystem SYSTEM INTERFACE ${CMAKE_SOURCE_DIR}/build/deps/include)
  target_compile_definitions(vex_boost_filesystem INTERFACE BOOST_FILESYSTEM_STATIC_LINK=1 BOOST_ALL_NO_LIB)
  target_link_libraries(vex_boost_filesystem INTERFACE ${VEX_DEPS}/lib/libboost_filesystem.a)
else()
  find_package(Boost 1.81 REQUIRED COMPONENTS filesystem)
  target_link_libraries(vex_boost_filesystem INTERFACE Boost::filesystem)
endif()

# kissfft (float) for the spectrum analyzer: Debian's library natively, our
# own MinGW build on Windows (scripts/build-kissfft).
add_library(vex_kissfft INTERFACE)
if(WIN32)
  if(NOT EXISTS ${VEX_DEPS}/lib/libkissfft-float.a)
    message(FATAL_ERROR "kissfft for ${VEX_MINGW_TRIPLET} is missing: run scripts/setup")
  endif()
  target_include_directories(vex_kissfft SYSTEM INTERFACE ${CMAKE_SOURCE_DIR}/build/deps/kissfft/include/kissfft)
  target_compile_definitions(vex_kissfft INTERFACE kiss_fft_scalar=float)
  target_link_libraries(vex_kissfft INTERFACE ${VEX_DEPS}/lib/libkissfft-float.a)
elseif(VEX_LINUX)
  include(${CMAKE_SOURCE_DIR}/cmake/linuxkissfft.cmake)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(KISSFFT REQUIRED IMPORTED_TARGET kissfft-float)
  target_link_libraries(vex_kissfft INTERFACE PkgConfig::KISSFFT)
endif()
