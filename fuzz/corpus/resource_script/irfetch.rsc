# irfetch's settings dialog. Sizes and positions are dialog units
# (see common/common/resource_script.h).

dialog PropertiesDlg 210 240
  caption "Read data via Serial IR (Ver 3.20)"
  font 8 "Helv"
  label    -1  "&Directory :"                              12  12  48  12
  edit     601 ""                                          60  10 110  14
  button   501 "..."                                      180  10  20  14
  label    -1  "&File name :"                              12  32  48  12
  edit     602 ""                                          60  30 110  14
  label    -1  "&COM port :"                               12  52  48  12
  droplist 701 ""                                          60  50  60 100
  label    -1  "&Baud rate :"                              12  72  48  12
  droplist 702 ""                                          60  70  60 120
  label    -1  "File &mode :"                              12  92  48  12
  droplist 703 ""                                          60  90  60 120
  check    801 "Add Return character to each record."      12 112 180  14
  check    802 "Add Line-Feed character to each record."   12 132 180  14
  check    803 "Show messages in case of error."           12 152 160  14
  check    804 "View the received data."                   12 172 160  14
  check    805 "Always show this dialog box."              12 192 160  14
  default  1   "OK"                                        40 216  40  14
  button   2   "Cancel"                                   130 216  40  14
end
