# Writes the default panolcd.INI (CR LF lines) unless the file exists already. In a build
# folder the first start opens a copy of the sample project beside the program, so the sample in
# the sources stays as it is whatever the user does with it.
#   DEST     the settings file to write
#   SAMPLE   the sample project to copy beside it (optional)
#   PROJECT  without SAMPLE: the project the first start opens (optional)
get_filename_component(dir "${DEST}" DIRECTORY)
set(project "")
if(DEFINED PROJECT AND NOT DEFINED SAMPLE)
  set(project "${PROJECT}")
endif()
if(DEFINED SAMPLE AND EXISTS "${SAMPLE}")
  get_filename_component(name "${SAMPLE}" NAME)
  set(project "${dir}/examples/${name}")
  if(NOT EXISTS "${project}")
    file(COPY "${SAMPLE}" DESTINATION "${dir}/examples")
  endif()
  # Its program and register map go along with it.
  get_filename_component(sample_dir "${SAMPLE}" DIRECTORY)
  get_filename_component(base "${SAMPLE}" NAME_WE)
  foreach(ext PRG MAP)
    if(EXISTS "${sample_dir}/${base}.${ext}" AND NOT EXISTS "${dir}/examples/${base}.${ext}")
      file(COPY "${sample_dir}/${base}.${ext}" DESTINATION "${dir}/examples")
    endif()
  endforeach()
  # The stand-in compiler, for trying the compile commands.
  if(EXISTS "${sample_dir}/tools/vbc" AND NOT EXISTS "${dir}/examples/tools/vbc")
    file(COPY "${sample_dir}/tools/vbc" DESTINATION "${dir}/examples/tools")
  endif()
endif()
if(EXISTS "${DEST}")
  return()
endif()
# The sample compiles with the stand-in compiler until the user names the real one.
set(compiler "")
if(EXISTS "${dir}/examples/tools/vbc")
  set(compiler "${dir}/examples/tools/vbc %s")
endif()
set(lines
  "[SECTIONS]"
  "RD_SECTION=PanoLCD"
  "WR_SECTION=PanoLCD"
  ""
  "[PanoLCD]"
  "APP_CAP=PanoLCD"
  "UseClipboard=1"
  "ExpLineWidth=80"
  "APP= UPD=1 DM=$00000000 TXS=1 TER=10 RLE=75 FTB=0 PRJ='${project}'"
  "WCOMPILE= UPD=1 CMD='${compiler}'"
  "VSLOADER= UPD=1 CMD=''"
  "ED_PRG= UPD=1"
  "ED_PRI= UPD=1"
  "ED_PANO= UPD=1"
)
string(REPLACE ";" "\r\n" text "${lines}")
file(WRITE "${DEST}" "${text}\r\n")
