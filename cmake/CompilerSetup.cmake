# Shared by the game's project and the fuzz project: compiles go through ccache when it is installed, and GLFW never
# pulls in the system GL header (GL comes from libepoxy, whatever order includes are sorted in).
find_program(KESTO_CCACHE ccache)
if(KESTO_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER ${KESTO_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${KESTO_CCACHE})
endif()

add_compile_definitions(GLFW_INCLUDE_NONE)
