# setup_resource_library(<target> <output name> <rc file> [DIR <sub folder of bin>])
# Builds a resource-only DLL: no code, no entry point, no imports.
function(setup_resource_library target rc)
    cmake_parse_arguments(ARG "" "DIR" "DEPENDS" ${ARGN})
    add_library(${target} SHARED ${rc})
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME IntallerRes PREFIX "" SUFFIX ".dll" LINKER_LANGUAGE C)
    if(ARG_DIR)
        set_target_properties(${target} PROPERTIES
            RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/${ARG_DIR})
    endif()
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,0)
    set_property(TARGET ${target} PROPERTY LINK_LIBRARIES "")
    if(ARG_DEPENDS)
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ARG_DEPENDS}")
    endif()
endfunction()
