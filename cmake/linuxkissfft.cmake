# kissfft (float) for the Linux plug-in: built here, position-independent and
# static, from the sources scripts/build-kissfft takes from Debian's source
# package, so the plug-in needs no kissfft library on the user's machine.
set(VEX_KISSFFT_SOURCES ${CMAKE_SOURCE_DIR}/build/deps/src/kissfft)
if(NOT EXISTS ${VEX_KISSFFT_SOURCES}/kiss_fft.c)
  message(FATAL_ERROR "kissfft's sources are missing: run scripts/setup")
endif()
enable_language(C)
add_library(vex_kissfft_static STATIC ${VEX_KISSFFT_SOURCES}/kiss_fft.c ${VEX_KISSFFT_SOURCES}/kiss_fftr.c)
target_compile_definitions(vex_kissfft_static PUBLIC kiss_fft_scalar=float)
# Not the project's C++ warning options: the C compiler knows some of them not.
set_target_properties(vex_kissfft_static PROPERTIES COMPILE_OPTIONS -w)
set_target_properties(vex_kissfft_static PROPERTIES POSITION_INDEPENDENT_CODE ON)
# The includes name <kiss_fft.h> as Debian's headers are found.
target_include_directories(vex_kissfft_static SYSTEM INTERFACE ${CMAKE_SOURCE_DIR}/build/deps/kissfft/include/kissfft)
target_link_libraries(vex_kissfft INTERFACE vex_kissfft_static)
