# orvik_embed_translations(<target> PREFIX <resource prefix> NAME <base name> TS_FILES <files...>)
#
# Compiles the .ts files with lrelease and embeds the .qm files in <target>
# under ":/<resource prefix>/". The build never runs lupdate: the .ts files in
# the source tree are the input. The resource is compiled in an object library
# of the calling directory, so that it may be added to a target defined in
# another directory. The version-less Qt commands exist in Qt 5.15 and Qt 6.
function(orvik_embed_translations target)
    cmake_parse_arguments(ARG "" "PREFIX;NAME" "TS_FILES" ${ARGN})
    qt_add_translation(qm_files ${ARG_TS_FILES})

    set(qrc_file "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}_translations.qrc")
    set(qrc_content "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/${ARG_PREFIX}\">\n")
    foreach(qm_file IN LISTS qm_files)
        get_filename_component(qm_name "${qm_file}" NAME)
        string(APPEND qrc_content "        <file>${qm_name}</file>\n")
    endforeach()
    string(APPEND qrc_content "    </qresource>\n</RCC>\n")
    # Written at configure time so that the resource compiler knows it depends
    # on the .qm files; unchanged content leaves the file untouched.
    set(previous_qrc_content "")
    if(EXISTS "${qrc_file}")
        file(READ "${qrc_file}" previous_qrc_content)
    endif()
    if(NOT previous_qrc_content STREQUAL qrc_content)
        file(WRITE "${qrc_file}" "${qrc_content}")
    endif()
    qt_add_resources(translation_sources "${qrc_file}")

    set(object_library "${ARG_NAME}_translations")
    add_library(${object_library} OBJECT ${translation_sources})
    set_target_properties(${object_library} PROPERTIES
        POSITION_INDEPENDENT_CODE ON
        AUTOMOC OFF
        AUTORCC OFF
        AUTOUIC OFF)
    target_link_libraries(${object_library} PRIVATE ${ORVIK_QT}::Core)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${object_library}>)
endfunction()
