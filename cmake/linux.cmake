# The Linux plug-in (the "linux" preset): Vexatone.so from the same sources as
# the Windows DLL, with the Linux platform services and the X11 editor, the
# native vsthost that loads it, and the tests that run them. The portable
# layers are the native ones; only the platform and the editor's back end
# differ (framework/CMakeLists.txt asks VEX_LINUX).
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
# Calls inside the library go straight to their targets: only the entry
# points are exported (module/linux/vexatone.map), nothing is interposed.
add_compile_options(-fno-semantic-interposition)

add_subdirectory(framework)
add_subdirectory(eq)
add_subdirectory(module)
add_subdirectory(module/linux)
add_subdirectory(tools/hostkit)
add_subdirectory(tools/vsthost/linux)
add_subdirectory(tests/linux)
