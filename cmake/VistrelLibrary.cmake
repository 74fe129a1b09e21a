# vistrel_add_library(<name> [EXCLUDE <file>...])
# Makes the static library vistrel_<name> from every .cpp/.h in the calling folder.
# Include paths are rooted at src/, so code includes "device/UVCDevice.h".
function(vistrel_add_library name)
    cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    foreach(excluded IN LISTS ARG_EXCLUDE)
        list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
    endforeach()
    if(NOT sources MATCHES "\\.cpp")
        # A folder that holds only headers still makes a library others can link.
        set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_stub.cpp)
        file(WRITE ${stub} "// no sources yet\n")
        list(APPEND sources ${stub})
    endif()
    add_library(vistrel_${name} STATIC ${sources})
    target_include_directories(vistrel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# vistrel_add_test(<name> APPLICATION Core|Gui|Widgets LIBRARIES <lib>...
#                  [ENVIRONMENT <VAR=value>...])
# Makes the GoogleTest executable test_<name> from every .cpp in the calling folder and
# registers its cases with ctest, each in a process of its own, and the whole binary once more as
# one process (test_<name>.AsOneProcess), as a developer runs it: no case may lean on running
# alone or on what an earlier case left behind. Every test binary links the shared test main built on the
# application object it names (QCoreApplication, QGuiApplication or QApplication). A folder
# that holds no test is a configuration error, not a silently missing group.
function(vistrel_add_test name)
    cmake_parse_arguments(ARG "" "APPLICATION" "LIBRARIES;ENVIRONMENT" ${ARGN})
    if(NOT ARG_APPLICATION MATCHES "^(Core|Gui|Widgets)$")
        message(FATAL_ERROR "vistrel_add_test(${name}): APPLICATION must be Core, Gui or Widgets")
    endif()
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources MATCHES "\\.cpp")
        message(FATAL_ERROR "vistrel_add_test(${name}): ${CMAKE_CURRENT_SOURCE_DIR} holds no test")
    endif()
    string(TOLOWER ${ARG_APPLICATION} main)
    add_executable(test_${name} ${sources})
    target_link_libraries(test_${name} PRIVATE ${ARG_LIBRARIES} vistrel_test_main_${main})
    gtest_discover_tests(test_${name}
        DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}" TIMEOUT 120)
    add_test(NAME test_${name}.AsOneProcess COMMAND test_${name})
    set_tests_properties(test_${name}.AsOneProcess PROPERTIES
        ENVIRONMENT "${ARG_ENVIRONMENT}" TIMEOUT 1800)
endfunction()
