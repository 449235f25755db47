# cmake -DTEMPLATE=page.html -DPAGE_SCRIPT=page.js -DSCRIPT=program.js -DICON=icon.png
#       -DVERSION=1.0.0 -DPAGE=out.html -P inline_script.cmake
# Writes the page: the template with the page's script and the program's in place of their
# markers, the icon as a data: URL, the version, and a Content-Security-Policy that lets
# exactly those two scripts run (by their SHA-256 hashes). Nothing in it depends on where or
# when it was built.
cmake_minimum_required(VERSION 3.25)  # and so its policies: @VAR@ in an argument is text

# Base64 of the bytes that `hex` spells (two hex digits a byte).
function(hex_to_base64 hex out)
  set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(text "")
  set(at 0)
  while(at LESS length)
    # Three bytes (or what is left) as one number of 24 bits, padded with zero bytes.
    string(SUBSTRING "${hex}000000" ${at} 6 group)
    math(EXPR bits "0x${group}")
    math(EXPR left "(${length} - ${at}) / 2")
    foreach(shift 18 12 6 0)
      if(shift EQUAL 6 AND left LESS 2)
        string(APPEND text "=")
      elseif(shift EQUAL 0 AND left LESS 3)
        string(APPEND text "=")
      else()
        math(EXPR index "(${bits} >> ${shift}) & 63")
        string(SUBSTRING "${digits}" ${index} 1 digit)
        string(APPEND text "${digit}")
      endif()
    endforeach()
    math(EXPR at "${at} + 6")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(READ ${TEMPLATE} page)
set(hashes "")
foreach(part PAGE_SCRIPT SCRIPT)
  file(READ ${${part}} script)
  string(FIND "${script}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${${part}} contains </script and cannot be inlined")
  endif()
  # The hash is of the element's text exactly as it stands in the page.
  set(text "\n${script}\n")
  string(SHA256 digest "${text}")
  hex_to_base64(${digest} digest)
  string(APPEND hashes " 'sha256-${digest}'")
  set(${part}_TEXT "${text}")
endforeach()

file(READ ${ICON} icon HEX)
hex_to_base64(${icon} icon)

# First the template's own markers, then the scripts, which are not searched.
foreach(marker VERSION icon hashes)
  string(FIND "${page}" "@${marker}@" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${TEMPLATE} has no @${marker}@")
  endif()
endforeach()
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@icon@" "data:image/png;base64,${icon}" page "${page}")
string(REPLACE "@hashes@" "${hashes}" page "${page}")
foreach(part PAGE_SCRIPT SCRIPT)
  if(part STREQUAL "SCRIPT")
    set(marker "<script>/* the program */</script>")
  else()
    set(marker "<script>/* the page */</script>")
  endif()
  string(FIND "${page}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${TEMPLATE} has no ${marker}")
  endif()
  string(REPLACE "${marker}" "<script>${${part}_TEXT}</script>" page "${page}")
endforeach()
file(WRITE ${PAGE} "${page}")
