# Writes the default panolcd.INI (CR LF lines) unless the file exists already.
if(EXISTS "${DEST}")
  return()
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
  "APP= UPD=1 DM=$00000000 TXS=1 TER=10 RLE=75 FTB=0 PRJ=''"
)
string(REPLACE ";" "\r\n" text "${lines}")
file(WRITE "${DEST}" "${text}\r\n")
