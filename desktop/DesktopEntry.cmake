# Run by `cmake --install`: writes the menu entry for the executable installed under
# CMAKE_INSTALL_PREFIX. Given TOVIA_DESKTOP_IN, TOVIA_DESKTOP_OUT and TOVIA_APP_NAME.
set(executable "${CMAKE_INSTALL_PREFIX}/${TOVIA_APP_NAME}")
# Exec takes the path in double quotes, inside which \ " ` and $ need a backslash; a % is
# doubled so that it is not read as a field code...
string(REPLACE "\\" "\\\\" quoted "${executable}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
# ...and every value in the file escapes its backslashes once more.
string(REPLACE "\\" "\\\\" TOVIA_DESKTOP_EXEC "\"${quoted}\"")
string(REPLACE "\\" "\\\\" TOVIA_DESKTOP_TRY_EXEC "${executable}")
configure_file("${TOVIA_DESKTOP_IN}" "${TOVIA_DESKTOP_OUT}" @ONLY)
