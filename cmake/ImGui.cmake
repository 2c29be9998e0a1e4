# Dear ImGui from Debian's libimgui-dev: the core comes prebuilt (libimgui.a, with the std::string helpers), the GLFW
# and OpenGL 3 backends are compiled here from the package's own copy, so no ImGui source lives in this repository.
find_package(PkgConfig REQUIRED)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
pkg_check_modules(IMGUI_EPOXY REQUIRED IMPORTED_TARGET epoxy)
find_package(glfw3 3.3 REQUIRED)

set(KESTO_IMGUI_BACKENDS /usr/share/doc/libimgui-dev/examples/backends)
foreach(backend imgui_impl_glfw.cpp imgui_impl_opengl3.cpp)
    if(NOT EXISTS ${KESTO_IMGUI_BACKENDS}/${backend})
        message(FATAL_ERROR "Dear ImGui backend ${backend} not found in ${KESTO_IMGUI_BACKENDS} (libimgui-dev)")
    endif()
endforeach()

add_library(kesto_imgui STATIC
    ${KESTO_IMGUI_BACKENDS}/imgui_impl_glfw.cpp
    ${KESTO_IMGUI_BACKENDS}/imgui_impl_opengl3.cpp
)
# The backend headers sit beside imgui.h in the package's include folder.
target_include_directories(kesto_imgui SYSTEM PUBLIC ${IMGUI_INCLUDEDIR}/backends)
target_link_libraries(kesto_imgui PUBLIC PkgConfig::IMGUI PRIVATE glfw PkgConfig::IMGUI_EPOXY)
# The OpenGL 3 backend brings its own GL loader; the engine's loader is libepoxy, so the backend is built against
# epoxy's declarations instead (epoxy resolves every entry point on first use in the current context).
set_source_files_properties(${KESTO_IMGUI_BACKENDS}/imgui_impl_opengl3.cpp PROPERTIES
    COMPILE_DEFINITIONS IMGUI_IMPL_OPENGL_LOADER_CUSTOM
    COMPILE_OPTIONS "-include;epoxy/gl.h")
# Third-party code: our warning flags are not applied to it.
target_compile_options(kesto_imgui PRIVATE -w)
