# Run by cmake --install: installs the desktop entry with Exec naming the installed program by
# its absolute path, so the entry starts it when the prefix's bin is not on PATH. The prefix is
# known only now (cmake --install --prefix overrides the configured one).
# In: QUILLORY_ENTRY (the entry with "Exec=quillory "), QUILLORY_ENTRY_STAGE (a build folder),
# QUILLORY_ENTRY_BINDIR and QUILLORY_ENTRY_DESTINATION (relative to the prefix, or absolute).

set(bin "${QUILLORY_ENTRY_BINDIR}")
if(NOT IS_ABSOLUTE "${bin}")
  set(bin "${CMAKE_INSTALL_PREFIX}/${bin}")
endif()
set(exec "${bin}/quillory")
# A path with other characters is quoted; inside the quotes " ` $ and \ take a backslash, and
# the entry's own string rules double every backslash once more.
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
  string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" exec "${exec}")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  set(exec "\"${exec}\"")
endif()

file(READ "${QUILLORY_ENTRY}" entry)
string(FIND "${entry}" "\nExec=quillory " at)
if(at EQUAL -1)
  message(FATAL_ERROR "${QUILLORY_ENTRY} has no line \"Exec=quillory ...\"")
endif()
string(REPLACE "\nExec=quillory " "\nExec=${exec} " entry "${entry}")
get_filename_component(name "${QUILLORY_ENTRY}" NAME)
file(WRITE "${QUILLORY_ENTRY_STAGE}/${name}" "${entry}")

set(destination "${QUILLORY_ENTRY_DESTINATION}")
if(NOT IS_ABSOLUTE "${destination}")
  set(destination "${CMAKE_INSTALL_PREFIX}/${destination}")
endif()
file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${QUILLORY_ENTRY_STAGE}/${name}")
