# tgen's dialog templates, pop-up menu, accelerators and strings.
# Sizes and positions are dialog units (see common/resource_script.h).

dialog ComSettingDlg 130 90
  caption "COM Port Settings"
  font 8 "Helv"
  label    -1  "&COM port :"   12 16 48 12
  droplist 701 ""              60 14 56 80
  label    -1  "&Baud rate :"  12 36 52 12
  droplist 702 ""              60 34 56 120
  default  1   "OK"            15 66 40 14
  button   2   "Cancel"        75 66 40 14
end

# The version in the about box is filled in by the build from project() in
# CMakeLists.txt, so the about box, the Debian package and the Windows setup
# program show one version.
dialog AboutBox 180 70
  caption "Kolibra 2 Application Generator"
  font 8 "Helv"
  icon     -1  ""                                             12 12 20 20
  label    -1  "Kolibra 2 Application Generator (Ver @PROJECT_VERSION@)"   38 18 138 10
  default  1   "OK"                                           70 46 40 14
end

# The download progress window; the code adds the bar below the line.
dialog ProgressDlg 104 40
  caption "Progress"
  label    -1  "Downloading..."  10 8 80 12
end

menu PopMenuQ5
  popup ""
    item 1010 "&New\tCtrl+N"
    item 1020 "&Open...\tCtrl+O"
    item 1030 "&Save\tCtrl+S"
    item 1040 "Save &As..."
    separator
    item 2000 "Edit\tCtrl+E"
    item 2100 "&COM port settings..."
    separator
    popup "&Download program"
      item 3020 "Via &RS-232 or IrDA..."
      item 3021 "Via &IR Transceiver..."
    end
    popup "Download &lookup file"
      item 3040 "Via &RS-232 or IrDA..."
      item 3041 "Via &IR Transceiver..."
    end
    popup "&Receive data"
      item 3030 "Via &RS-232 or IrDA..."
      item 3031 "Via &IR Transceiver..."
    end
    item 3070 "Scan barcode...\tF2"
    popup "&Zoom"
      item 3081 "100 %"
      item 3082 "150 %"
      item 3083 "200 %"
    end
    item 3050 "Collected records..."
    item 3060 "Reception &history..."
    separator
    item 9030 "A&bout..."
    item 1090 "&Exit\tAlt+F4"
  end
end

accelerators VUR5
  Ctrl+N 1010
  Ctrl+O 1020
  Ctrl+S 1030
  Ctrl+E 2000
end

strings
  10000 "Application Template Files (*.ATX)"
  10100 "*.ATX"
  10001 "All files (*.*)"
  10101 "*.*"
end
