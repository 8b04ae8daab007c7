# Run by `cmake --install`: the service units, timer and system user of the recorder, with the
# folder the programs were installed in written into them, and the hardening shared by the two
# system services. ZINTOR_UNIT_SOURCE (this folder) and ZINTOR_INSTALL_DIR are set by the caller.
set(programs "${CMAKE_INSTALL_PREFIX}/${ZINTOR_INSTALL_DIR}")
file(STRINGS "${ZINTOR_UNIT_SOURCE}/hardening.conf" hardening REGEX "^[^#]")
list(JOIN hardening "\n" hardening)
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

macro(install_unit source destination)
  file(READ "${ZINTOR_UNIT_SOURCE}/${source}" text)
  string(REPLACE "@PROGRAMS@" "${programs}" text "${text}")
  string(REPLACE "@HARDENING@" "${hardening}" text "${text}")
  message(STATUS "Installing: ${root}/${destination}")
  file(WRITE "${root}/${destination}" "${text}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${root}/${destination}")
endmacro()

# User units: PREFIX/share/systemd/user is searched both for ~/.local and for /usr/local.
install_unit(zintor-record.user.service share/systemd/user/zintor-record.service)
install_unit(zintor-record.service lib/systemd/system/zintor-record.service)
install_unit(zintor-pages.service lib/systemd/system/zintor-pages.service)
install_unit(zintor-pages.timer lib/systemd/system/zintor-pages.timer)
install_unit(zintor.sysusers lib/sysusers.d/zintor.conf)
