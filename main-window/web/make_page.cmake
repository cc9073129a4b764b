# Writes the page from its template: the panel that write_panel makes from
# Form1's description, and the page's style sheet with the panel's places
# after it, in the page's own <style>, so that the first answer from the
# server is all the browser needs to show the panel. The Content-Security-
# Policy allows that one style by its SHA-256.
#
#   cmake -DWRITE_PANEL=<command, its words joined by |> -DSOURCE=<site sources> -DSITE=<site folder>
#         -P make_page.cmake

string(REPLACE "|" ";" write_panel "${WRITE_PANEL}")

function(panel_piece piece variable)
    execute_process(COMMAND ${write_panel} ${piece} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# The base64 of the bytes that hex digits spell, as a Content-Security-Policy
# writes a hash.
function(hex_to_base64 hex variable)
    set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    string(LENGTH "${hex}" length)
    set(base64 "")
    foreach(start RANGE 0 ${length} 6)
        if(start EQUAL length)
            break()
        endif()
        string(SUBSTRING "${hex}000000" ${start} 6 group)  # three bytes, zeros past the end
        math(EXPR bits "0x${group}")
        math(EXPR bytes "(${length} - ${start}) / 2")
        if(bytes GREATER 3)
            set(bytes 3)
        endif()
        # n bytes give n + 1 characters; "=" pads the group to four.
        foreach(character RANGE 3)
            if(character GREATER bytes)
                string(APPEND base64 "=")
            else()
                math(EXPR index "(${bits} >> (18 - 6 * ${character})) & 63")
                string(SUBSTRING "${alphabet}" ${index} 1 digit)
                string(APPEND base64 "${digit}")
            endif()
        endforeach()
    endforeach()
    set(${variable} "${base64}" PARENT_SCOPE)
endfunction()

panel_piece(html TARNWICK_PANEL_HTML)
panel_piece(css panel_css)
panel_piece(title TARNWICK_TITLE)
string(STRIP "${TARNWICK_TITLE}" TARNWICK_TITLE)

file(READ "${SOURCE}/page.css" page_css)
set(TARNWICK_STYLE "\n${page_css}\n/* Form1's controls, from its description. */\n${panel_css}")
string(SHA256 style_sha256 "${TARNWICK_STYLE}")
hex_to_base64("${style_sha256}" TARNWICK_STYLE_HASH)

configure_file("${SOURCE}/index.html.in" "${SITE}/index.html" @ONLY)
