# A family library: a shared module without the "lib" prefix (strconv.so, docrender.so, ...),
# reached by the program only through dlopen and its C header.
function(kalk_family_module name)
    add_library(${name} MODULE ${ARGN})
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_include_directories(${name} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
    # The header alone, for the loaders in the program.
    add_library(${name}_api INTERFACE)
    target_include_directories(${name}_api INTERFACE "${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()

# A Qt Test program registered with CTest; GUI tests run on the offscreen platform.
function(kalk_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        WORKING_DIRECTORY "${KALK_OUTPUT_DIR}")
    add_dependencies(${name} strconv docrender geometrics imagelib quickpdf)
endfunction()
