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
# SYNOPSIS says how the program is called; the help's own first line would say it again.
string(REGEX REPLACE "^Usage: [^\n]*\n\n?" "" general "${general}")
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
.SH WHERE CLASSES GO
.B mark
writes each session into a destination folder, named by
.B --dest
or after the first test's folder, inside the folder
.B --out-root
names. Without it that is Tallimark's own folder, which the window program uses too: the folder of
.B tallimark-cli
when you may write there and it is no system folder; a folder under
.IR /usr ,
.IR /bin ,
.IR /sbin ,
.IR /lib ,
.I /opt
or
.I /etc
or owned by root is one. Otherwise, and so always for the installed package, it is
.I Tallimark
in your documents folder,
.I ~/Documents/Tallimark
unless
.I ~/.config/user-dirs.dirs
names another documents folder.
.B summary
takes a destination folder by its path, or by its name inside Tallimark's own folder.
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
.TP
.IR /usr/share/tallimark/Bron.rtf \", \" /usr/share/tallimark/Source.rtf
the sample memos of the installed package, with a sample class in
.I /usr/share/tallimark/examples
.SH SEE ALSO
.BR tallimark (1),
the window program. The user guide, in English and Afrikaans, is installed as
.I /usr/share/doc/tallimark/tallimark-guide-en.pdf
and
.IR /usr/share/doc/tallimark/tallimark-guide-af.pdf .
")
