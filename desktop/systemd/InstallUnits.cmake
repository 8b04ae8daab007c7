# Run by `cmake --install`: the service units, timer and system user of the recorder, with the
# folder the programs were installed in written into them, and the hardening shared by the two
# system services. ZINTOR_UNIT_SOURCE (this folder), ZINTOR_INSTALL_DIR and the three folders
# the files go to (ZINTOR_SYSTEM_UNIT_DIR, ZINTOR_USER_UNIT_DIR, ZINTOR_SYSUSERS_DIR: under the
# prefix, or absolute) are set by the caller.
set(programs "${CMAKE_INSTALL_PREFIX}/${ZINTOR_INSTALL_DIR}")
file(STRINGS "${ZINTOR_UNIT_SOURCE}/hardening.conf" hardening REGEX "^[^#]")
list(JOIN hardening "\n" hardening)

macro(install_unit source folder name)
  if(IS_ABSOLUTE "${folder}")
    set(destination "$ENV{DESTDIR}${folder}/${name}")
  else()
    set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${folder}/${name}")
  endif()
  file(READ "${ZINTOR_UNIT_SOURCE}/${source}" text)
  string(REPLACE "@PROGRAMS@" "${programs}" text "${text}")
  string(REPLACE "@HARDENING@" "${hardening}" text "${text}")
  message(STATUS "Installing: ${destination}")
  file(WRITE "${destination}" "${text}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${destination}")
endmacro()

install_unit(zintor-record.user.service "${ZINTOR_USER_UNIT_DIR}" zintor-record.service)
install_unit(zintor-record.service "${ZINTOR_SYSTEM_UNIT_DIR}" zintor-record.service)
install_unit(zintor-pages.service "${ZINTOR_SYSTEM_UNIT_DIR}" zintor-pages.service)
install_unit(zintor-pages.timer "${ZINTOR_SYSTEM_UNIT_DIR}" zintor-pages.timer)
install_unit(zintor.sysusers "${ZINTOR_SYSUSERS_DIR}" zintor.conf)
