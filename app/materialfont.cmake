# Writes the MaterialFont singleton from the icon font's published code-point
# list, so the QML knows every icon by name without a hand-typed table.
#   materialfont_generate(CODEPOINTS_FILE OUTPUT_QML)
function(materialfont_generate codepoints output)
    file(STRINGS ${codepoints} lines)
    set(entries "")
    set(count 0)
    foreach(line IN LISTS lines)
        if(line MATCHES "^([a-z0-9_]+) ([0-9a-f]+)$")
            string(APPEND entries "        \"${CMAKE_MATCH_1}\": \"\\u${CMAKE_MATCH_2}\",\n")
            math(EXPR count "${count} + 1")
        endif()
    endforeach()
    string(REGEX REPLACE ",\n$" "\n" entries "${entries}")
    file(WRITE ${output}.new "pragma Singleton
import QtQuick 2.11

// Generated at build time from the icon font's code points (${count} icons).
Item {
    id: fontMaterial

    readonly property string fontName: materialFontLoader.name
    readonly property var icon: ({
${entries}    })
    readonly property var icons: Object.keys(icon)

    FontLoader {
        id: materialFontLoader

        source: \"qrc:/fonts/MaterialIcons-Regular.ttf\"
    }
}
")
    # Rewritten only when it changes, so a new configure run rebuilds nothing.
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${output}.new ${output})
    file(REMOVE ${output}.new)
endfunction()
