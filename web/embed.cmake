# Writes OUTPUT, a C++ source holding the page's parts as byte arrays: the
# WebAssembly module (MODULE), the page's HTML around its placeholders
# (HTML), its style sheet (CSS) and its script (JS), and the hashes of the
# style sheet and the script that the page's security policy names.
#   cmake -DMODULE=... -DHTML=... -DCSS=... -DJS=... -DOUTPUT=... -P embed.cmake

# Base64 of the bytes written as hexadecimal digits.
function(base64_of_hex hex result)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(out "")
  set(i 0)
  while(i LESS length)
    string(SUBSTRING "${hex}" ${i} 6 chunk)
    string(LENGTH "${chunk}" chunkLength)
    math(EXPR bytes "${chunkLength} / 2")
    math(EXPR value "0x${chunk} << (8 * (3 - ${bytes}))")
    foreach(shift 18 12 6 0)
      math(EXPR index "(${value} >> ${shift}) & 63")
      string(SUBSTRING "${alphabet}" ${index} 1 digit)
      string(APPEND out "${digit}")
    endforeach()
    if(bytes EQUAL 1)
      string(REGEX REPLACE "..$" "==" out "${out}")
    elseif(bytes EQUAL 2)
      string(REGEX REPLACE ".$" "=" out "${out}")
    endif()
    math(EXPR i "${i} + 6")
  endwhile()
  set(${result} "${out}" PARENT_SCOPE)
endfunction()

# "const WebPart name = {...}": the file's bytes and their count.
function(append_part name file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 24 line)
  string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
  string(APPEND source "static const unsigned char ${name}Bytes[] = {\n${bytes}\n};\n")
  string(APPEND source "const WebPart ${name} = {${name}Bytes, ${size}};\n\n")
  set(source "${source}" PARENT_SCOPE)
endfunction()

function(append_hash name file)
  file(SHA256 "${file}" hex)
  base64_of_hex("${hex}" base64)
  string(APPEND source "const char ${name}[] = \"'sha256-${base64}'\";\n")
  set(source "${source}" PARENT_SCOPE)
endfunction()

set(source "// Made by web/embed.cmake from the module and the page's files; do not edit.\n")
string(APPEND source "#include \"export/webparts.h\"\n\n")
append_part(WebModule "${MODULE}")
append_part(WebTemplate "${HTML}")
append_part(WebStyle "${CSS}")
append_part(WebScript "${JS}")
append_hash(WebStyleHash "${CSS}")
append_hash(WebScriptHash "${JS}")

# Written only when it changes, so an unchanged page compiles nothing again.
set(previous "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL source)
  file(WRITE "${OUTPUT}" "${source}")
endif()
