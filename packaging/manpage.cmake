# Writes the manual page of lumaro-render from its --help text, so the two never disagree.
#   cmake -DRENDER=path/to/lumaro-render -DVERSION=1.0 -DOUT=lumaro-render.1 -P manpage.cmake
# "Usage:" and the lines under it become the synopsis; every other line is kept as it stands,
# and a line that is not indented and ends in ":" starts a section of its own.

execute_process(COMMAND ${RENDER} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${RENDER} --help failed: ${status}")
endif()

# roff takes a backslash as an escape and a line starting with "." or "'" as a request.
string(REPLACE "\\" "\\e" help "${help}")
# Options are typed as they stand, with minus signs rather than hyphens.
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "\n$" "" help "${help}")
string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(page ".TH LUMARO-RENDER 1 \"\" \"Lumaro ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nlumaro\\-render \\- the signal scene of Lumaro without a window\n")
set(in_synopsis FALSE)
foreach(line IN LISTS lines)
  string(REPLACE "\\;" ";" line "${line}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
  if(line MATCHES "^Usage: (.*)$")
    string(APPEND page ".SH SYNOPSIS\n.nf\n${CMAKE_MATCH_1}\n")
    set(in_synopsis TRUE)
  elseif(in_synopsis AND line MATCHES "^ +(.*)$")
    string(APPEND page "${CMAKE_MATCH_1}\n")
  elseif(in_synopsis)
    string(APPEND page ".fi\n.SH DESCRIPTION\n.nf\n")
    set(in_synopsis FALSE)
  elseif(line MATCHES "^([A-Za-z][^:]*):$")
    string(TOUPPER "${CMAKE_MATCH_1}" heading)
    string(APPEND page ".fi\n.SH ${heading}\n.nf\n")
  else()
    string(APPEND page "${line}\n")
  endif()
endforeach()
string(APPEND page ".fi\n")
file(WRITE ${OUT} "${page}")
