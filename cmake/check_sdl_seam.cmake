# Fails the build when code outside platform/ includes SDL or calls it: the platform library is
# the only part of the program that may know SDL.
#   cmake -DSOURCE_DIR=... -P check_sdl_seam.cmake
set(outside_platform app core game gfx tools tests bench fuzz)
# The one exception: quorl-setup is a program of its own, not the game, and opens its window
# with Dear ImGui's SDL2 back end, which takes SDL's window and events. Only this file of it
# may use SDL; its model and panels may not, as the rest of the game may not.
set(allowed tools/quorl_setup/setup_window.cpp)
set(found "")
foreach(folder ${outside_platform})
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
  foreach(source ${sources})
    file(STRINGS "${source}" lines REGEX "#include *[<\"](SDL2/)?SDL|SDL_[A-Za-z_]+ *\\(")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
    list(FIND allowed "${name}" exempt)
    if(exempt GREATER -1)
      continue()
    endif()
    foreach(line ${lines})
      string(APPEND found "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "SDL is used outside platform/:\n${found}")
endif()
