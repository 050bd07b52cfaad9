# orvik_add_library(<name>
#     EXPORT_HEADER <file name of the generated export header>
#     SOURCES <files...>
#     PUBLIC_LIBS <targets...>  PRIVATE_LIBS <targets...>
#     INCLUDE_ROOT <directory whose sub-folders are the public include paths>
#     HEADER_DIRS <sub-folders of INCLUDE_ROOT whose headers are installed>)
#
# Creates a versioned shared library with hidden symbols, an export header in
# the generated include directory, install rules for the library and its public
# headers (everything but *_p.h), and membership of the project's export set.
function(orvik_add_library name)
    cmake_parse_arguments(ARG "" "EXPORT_HEADER;INCLUDE_ROOT" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS;HEADER_DIRS" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    add_library(Orvik::${name} ALIAS ${name})
    set_target_properties(${name} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}
        EXPORT_NAME ${name})
    string(TOUPPER ${name} upper)
    generate_export_header(${name}
        BASE_NAME ${upper}
        EXPORT_FILE_NAME "${ORVIK_GENERATED_INCLUDEDIR}/${ARG_EXPORT_HEADER}")
    target_include_directories(${name} PUBLIC
        "$<BUILD_INTERFACE:${ARG_INCLUDE_ROOT}>"
        "$<BUILD_INTERFACE:${ORVIK_GENERATED_INCLUDEDIR}>"
        "$<INSTALL_INTERFACE:${ORVIK_INSTALL_INCLUDEDIR}>")
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    install(TARGETS ${name} EXPORT ${ORVIK_EXPORT_SET}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES "${ORVIK_GENERATED_INCLUDEDIR}/${ARG_EXPORT_HEADER}"
        DESTINATION "${ORVIK_INSTALL_INCLUDEDIR}")
    foreach(dir IN LISTS ARG_HEADER_DIRS)
        install(DIRECTORY "${ARG_INCLUDE_ROOT}/${dir}/"
            DESTINATION "${ORVIK_INSTALL_INCLUDEDIR}/${dir}"
            FILES_MATCHING PATTERN "*.h" PATTERN "*_p.h" EXCLUDE)
    endforeach()
endfunction()
