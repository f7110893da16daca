# Runs at install time (from install(CODE)), when the prefix is known: writes the
# desktop launchers with the full path of the installed programs, so that they
# work whether or not the prefix's bin folder is on the PATH.
# Expects VISTELLO_LAUNCHERS, VISTELLO_LAUNCHER_SOURCE_DIR, VISTELLO_LAUNCHER_OUTPUT_DIR,
# VISTELLO_INSTALL_BINDIR (relative to the prefix) and VISTELLO_VERSION_TEXT.

# Install scripts run with old policies, under which "@NAME@" in a quoted
# argument would be expanded as a variable.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)

set(path "${CMAKE_INSTALL_PREFIX}/${VISTELLO_INSTALL_BINDIR}")
# TryExec holds a plain path, which takes only the format's string escapes.
string(REPLACE "\\" "\\\\" plain_path "${path}")

# Exec quoting of the desktop entry format: "%" is doubled; a path with a reserved
# character is put in double quotes, inside which \ " ` $ take a backslash; and
# every backslash is doubled once more by the format's string escapes.
string(REPLACE "%" "%%" path "${path}")
set(quote "")
if(path MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\\\\\" path "${path}")
  string(REPLACE "\"" "\\\\\"" path "${path}")
  string(REPLACE "`" "\\\\`" path "${path}")
  string(REPLACE "$" "\\\\$" path "${path}")
  set(quote "\"")
endif()

foreach(launcher IN LISTS VISTELLO_LAUNCHERS)
  file(READ "${VISTELLO_LAUNCHER_SOURCE_DIR}/${launcher}.desktop.in" text)
  string(REPLACE "TryExec=@VISTELLO_BINDIR@/" "TryExec=${plain_path}/" text "${text}")
  string(REGEX MATCHALL "@VISTELLO_BINDIR@/[A-Za-z_]+" programs "${text}")
  foreach(program IN LISTS programs)
    string(REPLACE "@VISTELLO_BINDIR@/" "" name "${program}")
    string(REPLACE "${program}" "${quote}${path}/${name}${quote}" text "${text}")
  endforeach()
  string(REPLACE "@VISTELLO_VERSION_TEXT@" "${VISTELLO_VERSION_TEXT}" text "${text}")
  file(WRITE "${VISTELLO_LAUNCHER_OUTPUT_DIR}/${launcher}.desktop" "${text}")
endforeach()

# The systemd user unit of the idle host: ExecStart in double quotes, inside which
# \ and " take a backslash; % and $ are doubled (specifiers and variables).
set(idle "${CMAKE_INSTALL_PREFIX}/${VISTELLO_INSTALL_BINDIR}/vistello-idle")
string(REPLACE "\\" "\\\\" idle "${idle}")
string(REPLACE "\"" "\\\"" idle "${idle}")
string(REPLACE "%" "%%" idle "${idle}")
string(REPLACE "$" "$$" idle "${idle}")
file(READ "${VISTELLO_LAUNCHER_SOURCE_DIR}/vistello-idle.service.in" text)
string(REPLACE "@VISTELLO_IDLE@" "\"${idle}\"" text "${text}")
file(WRITE "${VISTELLO_LAUNCHER_OUTPUT_DIR}/vistello-idle.service" "${text}")

cmake_policy(POP)
