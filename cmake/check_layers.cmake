# Fails the build on an include that points up the layers. Each folder may include only what
# lies at or below it:
#   core       core
#   platform   platform, core's key table (core/keys.h) and its picture fit (core/picture_fit.h)
#   gfx        gfx and core
#   game       game, gfx, platform and core
#   app        app and everything below it
#   tools      quorl-config: itself and core; quorl-setup: itself, platform, gfx and core (it
#              keeps a Gfx of its own for its previews, takes the quit signals as the game
#              does, and links no game); the runner: anything
#   cmake -DSOURCE_DIR=... -P check_layers.cmake
set(allowed_core "core/")
set(allowed_platform "platform/;core/keys.h;core/picture_fit.h")
set(allowed_gfx "gfx/;core/")
set(allowed_game "game/;gfx/;platform/;core/")
set(allowed_app "app/;game/;gfx/;platform/;core/")
set(allowed_tools/quorl_config "tools/quorl_config/;core/")
set(allowed_tools/quorl_setup "tools/quorl_setup/;platform/;gfx/;core/")
set(layers core platform gfx game app tools/quorl_config tools/quorl_setup)
# The folders of this tree whose includes are ours: "X/..." names a file of folder X.
set(project_folders core platform gfx game app tools tests bench fuzz)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(found "")
foreach(layer ${layers})
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.cpp" "${SOURCE_DIR}/${layer}/*.h"
    "${SOURCE_DIR}/${layer}/*.inc")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
      string(REGEX MATCH "^[^/]*" top "${target}")
      list(FIND project_folders "${top}" ours)
      if(ours EQUAL -1)
        continue()
      endif()
      set(permitted FALSE)
      foreach(prefix ${allowed_${layer}})
        string(FIND "${target}" "${prefix}" at)
        if(at EQUAL 0)
          set(permitted TRUE)
        endif()
      endforeach()
      if(NOT permitted)
        string(APPEND found "  ${name} includes ${target}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes that point up the layers (core <- platform, gfx <- game <- app):\n${found}")
endif()
