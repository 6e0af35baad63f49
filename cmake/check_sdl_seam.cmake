# Fails the build when code outside platform/ includes SDL or calls it: the platform library is
# the only part of the program that may know SDL.
#   cmake -DSOURCE_DIR=... -P check_sdl_seam.cmake
set(outside_platform app game gfx tools tests bench fuzz)
set(found "")
foreach(folder ${outside_platform})
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
  foreach(source ${sources})
    file(STRINGS "${source}" lines REGEX "#include *[<\"](SDL2/)?SDL|SDL_[A-Za-z_]+ *\\(")
    foreach(line ${lines})
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      string(APPEND found "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "SDL is used outside platform/:\n${found}")
endif()
