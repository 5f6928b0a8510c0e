# lkpsend's settings dialog and its download progress window. Sizes and
# positions are dialog units (see common/common/resource_script.h).

dialog ComPropertiesDlg 150 112
  caption "Comm Properties (Download Lookup 1.1)"
  font 8 "Helv"
  group    -1  ""                              8  6 134 54
  rlabel   -1  "&COM port :"                  12 20  44 12
  droplist 101 ""                             68 18  60 110
  rlabel   -1  "&Baud rate :"                 12 40  44 12
  droplist 102 ""                             68 38  60 100
  check    103 " Via Serial IR Transceiver"   10 68 120 15
  default  1   "OK"                            8 90  48 14
  button   2   "Cancel"                       92 90  48 14
end

# The download progress window; the code adds the bar below the line and
# gives it the caption "Progress (Download Lookup 1.0)".
dialog ProgressDlg 104 40
  caption "Progress"
  label    -1  "Downloading..."  10 8 80 12
end
