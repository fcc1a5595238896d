# Installs the menu entry kalvoro.desktop with Exec and TryExec naming the launcher
# under the prefix this installation really uses (`cmake --install --prefix` may
# differ from the prefix configured). Run through install(CODE) with
# KALVORO_DESKTOP_SOURCE, KALVORO_DESKTOP_DIR and KALVORO_DESKTOP_STAGE set.
set(launcher "${CMAKE_INSTALL_PREFIX}/kalvoro.sh")

# Desktop entry escaping: an Exec argument holding a reserved character is quoted,
# with " ` $ \ escaped inside the quotes; % is doubled; then, as for every string
# value, each backslash is doubled.
set(exec "${launcher}")
if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\\" "\\\\" tryexec "${launcher}")

file(READ "${KALVORO_DESKTOP_SOURCE}" text)
foreach(key Exec TryExec)
    if(key STREQUAL "Exec")
        set(value "${exec}")
    else()
        set(value "${tryexec}")
    endif()
    # The value goes into a regex replacement, where a backslash is special.
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REGEX REPLACE "\n${key}=[^\n]*" "\n${key}=${value}" text "${text}")
endforeach()
file(WRITE "${KALVORO_DESKTOP_STAGE}/kalvoro.desktop" "${text}")

set(dir "${KALVORO_DESKTOP_DIR}")
if(NOT IS_ABSOLUTE "${dir}")
    set(dir "${CMAKE_INSTALL_PREFIX}/${dir}")
endif()
# file(INSTALL) puts DESTDIR in front by itself.
file(INSTALL DESTINATION "${dir}" TYPE FILE
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    FILES "${KALVORO_DESKTOP_STAGE}/kalvoro.desktop")
