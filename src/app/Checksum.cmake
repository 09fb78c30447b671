# Prints the SHA-256 of EXE and writes it to EXE.sha256 ("<hash>  <name>", as sha256sum
# writes and checks it).
file(SHA256 "${EXE}" hash)
get_filename_component(name "${EXE}" NAME)
file(WRITE "${EXE}.sha256" "${hash}  ${name}\n")
message(STATUS "SHA-256 of ${name}: ${hash}")
