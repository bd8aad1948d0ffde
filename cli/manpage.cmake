# Writes the manual page of tallimark-cli from its own help texts, so the two never disagree.
# cmake -DCLI=<tallimark-cli> -DOUT=<file.1> -DVERSION=<x.y.z> -P manpage.cmake
function(help_of out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed: ${status}")
  endif()
  # roff: a backslash is written \e, and a line may not begin with a dot or a quote.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(general)
help_of(mark mark)
help_of(summary summary)

file(WRITE ${OUT} ".TH TALLIMARK-CLI 1 \"\" \"tallimark-cli ${VERSION}\" \"User Commands\"
.SH NAME
tallimark-cli \\- mark typed speed tests and summarise a class from the command line
.SH SYNOPSIS
.B tallimark-cli
.I command
[options] ...
.SH DESCRIPTION
.nf
${general}.fi
.SH COMMAND: MARK
.nf
${mark}.fi
.SH COMMAND: SUMMARY
.nf
${summary}.fi
.SH LANGUAGE
tallimark-cli is English only: the words of its messages, report lines and files do not change
with LANG or LANGUAGE, so that scripts can rely on them (numbers take the system's decimal
separator). The window program,
.BR tallimark ,
follows the system's language, Afrikaans or English, and has a user guide in both under Help.
.SH FILES
.TP
.I Resultaat.res
one line per test, appended in the destination folder
.TP
.I Tallimark.csv
the class record beside it: one row per marked or rejected test; a learner's latest row is current
.TP
.I *.rug
the marked copies, RTF
.SH SEE ALSO
.BR tallimark (1)
")
