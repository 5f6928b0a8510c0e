# The template editor's dialog templates: the sheet's pages and their dialogs.
# Sizes and positions are dialog units (see common/resource_script.h).

# The Form page: eight labelled lists in two rows, then one row per form line.
dialog FORMDLG 412 250
  caption "Form"
  font 8 "Helv"
  label    -1  "Name :"        8 10 26 10
  droplist 700 ""             36  8 60 120
  label    -1  "Esc  :"      106 10 22 10
  droplist 751 ""            130  8 58 120
  label    -1  "Date stamp :" 198 10 46 10
  droplist 753 ""            246  8 70 120
  label    -1  "Lookup :"    324 10 30 10
  droplist 755 ""            356  8 52 80
  label    -1  "Font :"        8 28 26 10
  droplist 750 ""             36 26 60 40
  label    -1  "Next :"      106 28 22 10
  droplist 752 ""            130 26 58 120
  label    -1  "Time stamp :" 198 28 46 10
  droplist 754 ""            246 26 70 120
  label    -1  "Record :"    324 28 30 10
  droplist 756 ""            356 26 52 80
  label    -1  "Line"          8 48 18 10
  label    -1  "Data type"    28 48 56 10
  label    -1  "Prompt"       88 48 92 10
  label    -1  "Input source" 184 48 48 10
  label    -1  "Min length"  236 48 38 10
  label    -1  "Max length"  278 48 38 10
  label    -1  "Lookup"      320 48 48 10
  label    -1  "Properties"  370 48 40 10
  label    -1  "#1"          8 62 18 10
  droplist 701 ""             28 60 56 120
  edit     601 ""             88 60 92 12
  droplist 711 ""            184 60 48 50
  edit     611 ""            236 60 38 12 number
  edit     621 ""            278 60 38 12 number
  droplist 721 ""            320 60 48 120
  button   201 "more..."     372 60 36 13
  label    -1  "#2"          8 85 18 10
  droplist 702 ""             28 83 56 120
  edit     602 ""             88 83 92 12
  droplist 712 ""            184 83 48 50
  edit     612 ""            236 83 38 12 number
  edit     622 ""            278 83 38 12 number
  droplist 722 ""            320 83 48 120
  button   202 "more..."     372 83 36 13
  label    -1  "#3"          8 108 18 10
  droplist 703 ""             28 106 56 120
  edit     603 ""             88 106 92 12
  droplist 713 ""            184 106 48 50
  edit     613 ""            236 106 38 12 number
  edit     623 ""            278 106 38 12 number
  droplist 723 ""            320 106 48 120
  button   203 "more..."     372 106 36 13
  label    -1  "#4"          8 131 18 10
  droplist 704 ""             28 129 56 120
  edit     604 ""             88 129 92 12
  droplist 714 ""            184 129 48 50
  edit     614 ""            236 129 38 12 number
  edit     624 ""            278 129 38 12 number
  droplist 724 ""            320 129 48 120
  button   204 "more..."     372 129 36 13
  label    -1  "#5"          8 154 18 10
  droplist 705 ""             28 152 56 120
  edit     605 ""             88 152 92 12
  droplist 715 ""            184 152 48 50
  edit     615 ""            236 152 38 12 number
  edit     625 ""            278 152 38 12 number
  droplist 725 ""            320 152 48 120
  button   205 "more..."     372 152 36 13
  label    -1  "#6"          8 177 18 10
  droplist 706 ""             28 175 56 120
  edit     606 ""             88 175 92 12
  droplist 716 ""            184 175 48 50
  edit     616 ""            236 175 38 12 number
  edit     626 ""            278 175 38 12 number
  droplist 726 ""            320 175 48 120
  button   206 "more..."     372 175 36 13
  label    -1  "#7"          8 200 18 10
  droplist 707 ""             28 198 56 120
  edit     607 ""             88 198 92 12
  droplist 717 ""            184 198 48 50
  edit     617 ""            236 198 38 12 number
  edit     627 ""            278 198 38 12 number
  droplist 727 ""            320 198 48 120
  button   207 "more..."     372 198 36 13
  label    -1  "#8"          8 223 18 10
  droplist 708 ""             28 221 56 120
  edit     608 ""             88 221 92 12
  droplist 718 ""            184 221 48 50
  edit     618 ""            236 221 38 12 number
  edit     628 ""            278 221 38 12 number
  droplist 728 ""            320 221 48 120
  button   208 "more..."     372 221 36 13
end

# Field properties of a line of any type but "lookup".
dialog AdvanceDlg 322 180
  caption "Properties"
  font 8 "Helv"
  label    -1  "Form #"                 10 10 26 10
  label    501 ""                       38 10 16 10
  label    -1  "Line #"                 64 10 26 10
  label    502 ""                       92 10 16 10
  group    -1  "Field data"              8 24 162 110
  check    101 "Fix data length"        16 38 84 10
  edit     601 ""                      108 36 30 12 number
  droplist 701 ""                       16 54 146 60
  check    102 "Initial value or text"  16 74 90 10
  edit     602 ""                      108 72 54 12
  check    103 "Add prefix code"        16 92 90 10
  edit     603 ""                      108 90 54 12
  check    104 "Add suffix code"        16 110 90 10
  edit     604 ""                      108 108 54 12
  group    -1  "Barcode input"         178 24 136 110
  check    106 "Read partial barcode"  186 38 120 10
  label    -1  "Start position :"      186 56 66 10
  edit     606 ""                      256 54 30 12 number
  label    -1  "Maximum length :"      186 74 66 10
  edit     607 ""                      256 72 30 12 number
  check    108 "Check leading code"    186 92 80 10
  edit     608 ""                      268 90 38 12
  label    -1  "Auto ENTER :"          178 144 50 10
  droplist 702 ""                      230 142 84 50
  default  1   "OK"                     60 158 50 14
  button   2   "Cancel"                120 158 50 14
end

# Field properties of a "lookup" line.
dialog LookupAdvanceDlg 166 181
  caption "Properties"
  font 8 "Helv"
  label    -1  "Form #"                 10 10 26 10
  label    501 ""                       38 10 16 10
  label    -1  "Line #"                 64 10 26 10
  label    502 ""                       92 10 16 10
  group    -1  "Field data"              8 24 150 124
  check    101 "Save field data"        16 38 120 10
  check    102 "Fix data length"        16 56 80 10
  edit     601 ""                      104 54 30 12 number
  droplist 701 ""                       16 72 134 60
  check    103 "Add prefix code"        16 94 80 10
  edit     602 ""                      100 92 50 12
  check    104 "Add suffix code"        16 114 80 10
  edit     603 ""                      100 112 50 12
  default  1   "OK"                     22 158 50 14
  button   2   "Cancel"                 94 158 50 14
end

# ---- The Barcode page, its symbology parameter dialogs, the Settings page and
# ---- the keyboard wedge dialog. "&&" in a text shows as one "&".

# The Barcode page: lists and time-out on top, two columns of symbologies,
# a bottom row; "Parameters..." opens the symbology's own dialog.
dialog BARCODESETTINGDLG 350 238
  caption "Barcode"
  font 8 "Helv"
  label    -1  "Scan mode :"            10 10 44 10
  droplist 701 ""                       56  8 72 120
  label    -1  "Read redundancy :"     138 10 64 10
  droplist 702 ""                      204  8 60 80
  label    -1  "Time out :"            274 10 36 10
  edit     601 ""                      310  8 20 12 number
  label    -1  "sec"                   332 10 14 10
  check    101 "Code 39"                10 32 88 10
  button   201 "Parameters..."         100 30 56 14
  check    102 "Italian  Pharmacode"    10 52 88 10
  button   202 "Parameters..."         100 50 56 14
  check    103 "French  Pharmacode"     10 72 88 10
  button   203 "Parameters..."         100 70 56 14
  check    104 "Industrial 25"          10 92 88 10
  button   204 "Parameters..."         100 90 56 14
  check    105 "Interleave 25"          10 112 88 10
  button   205 "Parameters..."         100 110 56 14
  check    106 "Matrix 25"              10 132 88 10
  button   206 "Parameters..."         100 130 56 14
  check    107 "Codabar"                10 152 88 10
  button   207 "Parameters..."         100 150 56 14
  check    108 "MSI"                    10 172 88 10
  button   208 "Parameters..."         100 170 56 14
  check    109 "Plessey"                10 192 88 10
  button   209 "Parameters..."         100 190 56 14
  check    113 "UPCE"                  186 32 88 10
  button   213 "Parameters..."         280 30 56 14
  check    114 "UPCE  Addon 2"         186 52 88 10
  check    115 "UPCE  Addon 5"         186 72 88 10
  check    116 "EAN8"                  186 92 88 10
  button   216 "Parameters..."         280 90 56 14
  check    117 "EAN8  Addon 2"         186 112 88 10
  check    118 "EAN8  Addon 5"         186 132 88 10
  check    119 "EAN13  &&  UPCA"       186 152 88 10
  button   219 "Parameters..."         280 150 56 14
  check    120 "EAN13  Addon 2"        186 172 88 10
  check    121 "EAN13  Addon 5"        186 192 88 10
  check    110 "Code 93"                10 216 50 10
  check    111 "Code 128"               66 216 52 10
  check    122 "Negative Barcode"      124 216 80 10
  check    123 "Telepen"               210 216 44 10
  button   223 "Parameters..."         258 214 56 14
end

dialog Code39Dlg 170 100
  caption "Code 39 Parameters"
  font 8 "Helv"
  check    101 "Transmit Start/Stop"    14 10 140 10
  check    102 "Verify Checksum"        14 26 140 10
  check    103 "Transmit Checksum"      14 42 140 10
  check    104 "Code 39 Full ASCII"     14 58 140 10
  default  1   "OK"                     24 78 50 14
  button   2   "Cancel"                 96 78 50 14
end

dialog ItalyPharmaDlg 170 56
  caption "Italian Pharmacode Parameters"
  font 8 "Helv"
  check    101 "Transmit Checksum"      14 12 140 10
  default  1   "OK"                     24 34 50 14
  button   2   "Cancel"                 96 34 50 14
end

dialog FrenchPharmaDlg 170 56
  caption "French Pharmacode Parameters"
  font 8 "Helv"
  check    101 "Transmit Checksum"      14 12 140 10
  default  1   "OK"                     24 34 50 14
  button   2   "Cancel"                 96 34 50 14
end

dialog Industrial25Dlg 200 150
  caption "Industrial 25 Parameters"
  font 8 "Helv"
  group    -1  "Start/Stop Selection"    8  6 184 30
  radio    401 "Industrial 25"          16 19 56 10
  radio    402 "Interleave 25"          74 19 56 10
  radio    403 "Matrix 25"             134 19 52 10
  check    101 "Verify Checksum"        14 42 80 10
  check    102 "Transmit Checksum"     100 42 86 10
  group    -1  "Length Qualification"    8 58 184 64
  radio    404 "Fixed Length"           16 71 70 10
  radio    405 "Max / Min Length"       96 71 86 10
  label    501 ""                       16 88 66 10
  edit     601 ""                       86 86 30 12 number
  label    502 ""                       16 105 66 10
  edit     602 ""                       86 103 30 12 number
  default  1   "OK"                     36 128 50 14
  button   2   "Cancel"                114 128 50 14
end

dialog Interleave25Dlg 200 164
  caption "Interleave 25 Parameters"
  font 8 "Helv"
  group    -1  "Start/Stop Selection"    8  6 184 30
  radio    401 "Industrial 25"          16 19 56 10
  radio    402 "Interleave 25"          74 19 56 10
  radio    403 "Matrix 25"             134 19 52 10
  check    101 "Verify Checksum"        14 42 80 10
  check    102 "Transmit Checksum"     100 42 86 10
  check    103 "Read the code with dummy digits"  14 56 172 10
  group    -1  "Length Qualification"    8 72 184 64
  radio    404 "Fixed Length"           16 85 70 10
  radio    405 "Max / Min Length"       96 85 86 10
  label    501 ""                       16 102 66 10
  edit     601 ""                       86 100 30 12 number
  label    502 ""                       16 119 66 10
  edit     602 ""                       86 117 30 12 number
  default  1   "OK"                     36 142 50 14
  button   2   "Cancel"                114 142 50 14
end

dialog Matrix25Dlg 200 150
  caption "Matrix 25 Parameters"
  font 8 "Helv"
  group    -1  "Start/Stop Selection"    8  6 184 30
  radio    401 "Industrial 25"          16 19 56 10
  radio    402 "Interleave 25"          74 19 56 10
  radio    403 "Matrix 25"             134 19 52 10
  check    101 "Verify Checksum"        14 42 80 10
  check    102 "Transmit Checksum"     100 42 86 10
  group    -1  "Length Qualification"    8 58 184 64
  radio    404 "Fixed Length"           16 71 70 10
  radio    405 "Max / Min Length"       96 71 86 10
  label    501 ""                       16 88 66 10
  edit     601 ""                       86 86 30 12 number
  label    502 ""                       16 105 66 10
  edit     602 ""                       86 103 30 12 number
  default  1   "OK"                     36 128 50 14
  button   2   "Cancel"                114 128 50 14
end

dialog CodabarDlg 150 122
  caption "Codabar Parameters"
  font 8 "Helv"
  group    -1  "Start/Stop Character"    8  6 134 88
  radio    401 "None"                   18 20 110 10
  radio    402 "abcd / abcd"            18 34 110 10
  radio    403 "abcd / tn*e"            18 48 110 10
  radio    404 "ABCD / ABCD"            18 62 110 10
  radio    405 "ABCD / TN*E"            18 76 110 10
  default  1   "OK"                     14 102 50 14
  button   2   "Cancel"                 86 102 50 14
end

dialog MSIDlg 250 182
  caption "MSI Parameters"
  font 8 "Helv"
  group    -1  "Checksum Verification"   8  6 110 62
  radio    401 "Single Modulo 10"       16 20 96 10
  radio    402 "Double Modulo 10"       16 34 96 10
  radio    403 "Modulo 11 && 10"        16 48 96 10
  group    -1  "Checksum Transmission" 124  6 118 62
  radio    404 "Last digit not transmitted"     130 20 108 10
  radio    405 "Transmitted"                    130 34 108 10
  radio    406 "Last 2 digits not transmitted"  130 48 108 10
  group    -1  "Length Qualification"    8 74 234 64
  radio    407 "Fixed Length"           16 87 70 10
  radio    408 "Max / Min Length"       96 87 86 10
  label    501 ""                       16 104 66 10
  edit     601 ""                       86 102 30 12 number
  label    502 ""                       16 121 66 10
  edit     602 ""                       86 119 30 12 number
  default  1   "OK"                     60 158 50 14
  button   2   "Cancel"                140 158 50 14
end

dialog PlesseyDlg 170 72
  caption "Plessey Parameters"
  font 8 "Helv"
  check    101 "Convert to UK Plessey"  14 10 140 10
  check    102 "Transmit Checksum"      14 26 140 10
  default  1   "OK"                     24 50 50 14
  button   2   "Cancel"                 96 50 50 14
end

dialog UPCEDlg 170 88
  caption "UPCE Parameters"
  font 8 "Helv"
  check    101 "Convert to UPCA"        14 10 140 10
  check    102 "Transmit System Number" 14 26 140 10
  check    103 "Transmit Checksum"      14 42 140 10
  default  1   "OK"                     24 66 50 14
  button   2   "Cancel"                 96 66 50 14
end

dialog EAN8Dlg 170 72
  caption "EAN 8 Parameters"
  font 8 "Helv"
  check    101 "Convert to EAN13"       14 10 140 10
  check    102 "Transmit Checksum"      14 26 140 10
  default  1   "OK"                     24 50 50 14
  button   2   "Cancel"                 96 50 50 14
end

dialog EAN13Dlg 180 136
  caption "EAN 13 and UPCA Parameters"
  font 8 "Helv"
  check    101 "ISBN Conversion"              14 10 150 10
  check    102 "ISSN Conversion"              14 26 150 10
  check    103 "Transmit Checksum"            14 42 150 10
  check    104 "Transmit UPCA System Number"  14 58 150 10
  check    105 "Transmit UPCA Checksum"       14 74 150 10
  check    106 "Convert UPCA to EAN 13"       14 90 150 10
  default  1   "OK"                     28 114 50 14
  button   2   "Cancel"                102 114 50 14
end

dialog TelepenDlg 170 72
  caption "Telepen Parameters"
  font 8 "Helv"
  radio    401 "Original Telepen  (Numeric)"  14 10 146 10
  radio    402 "AIM Telepen  (Full ASCII)"    14 26 146 10
  default  1   "OK"                     24 50 50 14
  button   2   "Cancel"                 96 50 50 14
end

# The Settings page: the password, the twelve protection flags, the six
# initial system settings beside their flags, and the wedge button.
dialog SETTINGSDLG 380 200
  caption "Settings"
  font 8 "Helv"
  label    -1  "Password for security checking (up to 10 digits) :"  10 12 184 10
  edit     601 ""                      198 10 60 12
  group    -1  "Security checking"       8 30 160 122
  check    101 "System Settings"        16 46 140 10
  check    102 "Edit Data"              16 64 140 10
  check    103 "Delete Data"            16 82 140 10
  check    104 "Set Date && Time"       16 100 140 10
  check    105 "Download Program"       16 118 140 10
  check    106 "Download Lookup"        16 136 140 10
  group    -1  "Security checking  &&  System initial settings"  176 30 196 122
  check    107 "Set Upload Port"       184 46 90 10
  droplist 701 ""                      278 44 86 80
  check    108 "Set Download Port"     184 64 90 10
  droplist 702 ""                      278 62 86 80
  check    109 "Transmission Speed"    184 82 90 10
  droplist 703 ""                      278 80 86 80
  check    110 "LCD Backlight"         184 100 90 10
  droplist 704 ""                      278 98 86 60
  check    111 "Data Deletion"         184 118 90 10
  droplist 705 ""                      278 116 86 60
  check    112 "Record Prompting"      184 136 90 10
  droplist 706 ""                      278 134 86 60
  button   201 "Keyboard wedge settings ..."  10 166 120 14
end

dialog KeyboardWedgeDlg 296 182
  caption "Keyboard Wedge Settings"
  font 8 "Helv"
  label    -1  "Keyboard / Terminal type :"   10 10 96 10
  droplist 701 ""                     108  8 120 150
  label    -1  "Inter-character delay :"      10 28 96 10
  edit     601 ""                     108 26 30 12 number
  label    -1  "(0 ~ 255 ms)"                142 28 60 10
  label    -1  "Transmission time-out :"      10 44 96 10
  edit     602 ""                     108 42 30 12 number
  label    -1  "(0 ~ 255 sec)"               142 44 60 10
  check    101 "Use numeric keypad to transmit digits."             10 62 220 10
  check    102 "Add Return / Line-Feed characters to each record."  10 76 220 10
  group    -1  "Digits layout"           8 94 80 58
  radio    401 "Normal"                 14 108 70 10
  radio    402 "Lower position"         14 122 70 10
  radio    403 "Upper position"         14 136 70 10
  group    -1  "Shift / Capital lock type"  94 94 110 58
  radio    404 "Normal"                100 108 100 10
  radio    405 "Capital-lock keyboard" 100 122 100 10
  radio    406 "Shift-lock keyboard"   100 136 100 10
  group    -1  "Capital lock"          210 94 78 58
  radio    407 "Auto-detection"        216 108 68 10
  radio    408 "Always locked"         216 122 68 10
  radio    409 "Ignore case"           216 136 68 10
  default  1   "OK"                     84 160 50 14
  button   2   "Cancel"                162 160 50 14
end
