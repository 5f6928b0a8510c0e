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
