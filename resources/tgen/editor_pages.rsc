# The template editor's Menu, Lookup and Startup pages and the eighteen
# screen-text dialogs the Startup page opens. Dialog units as in editor.rsc.

# The Menu page: the menu's settings on the left, its ten items on the right.
dialog MENUDLG 370 236
  caption "Menu"
  font 8 "Helv"
  label    -1  "Name :"            8 10 30 10
  droplist 700 ""                 40  8 90 120
  label    -1  "Font :"            8 28 30 10
  droplist 750 ""                 40 26 90 40
  label    -1  "Esc :"             8 46 30 10
  droplist 751 ""                 40 44 90 120
  check    101 "Menu caption :"    8 66 100 10
  edit     691 ""                  8 78 122 12
  group    -1  "Data"              8 98 122 66
  check    102 "Save caption"     16 112 100 10
  check    103 "Save selected item" 16 128 100 10
  check    104 "Pass down"        16 144 100 10
  label    -1  "Item No."        140  8 34 10
  label    -1  "Item Name"       178  8 80 10
  label    -1  "Next :"          296  8 40 10
  label    -1  "#1"             142 22 30 10
  edit     601 ""             178 20 112 12
  droplist 701 ""             296 20 66 120
  label    -1  "#2"             142 41 30 10
  edit     602 ""             178 39 112 12
  droplist 702 ""             296 39 66 120
  label    -1  "#3"             142 60 30 10
  edit     603 ""             178 58 112 12
  droplist 703 ""             296 58 66 120
  label    -1  "#4"             142 79 30 10
  edit     604 ""             178 77 112 12
  droplist 704 ""             296 77 66 120
  label    -1  "#5"             142 98 30 10
  edit     605 ""             178 96 112 12
  droplist 705 ""             296 96 66 120
  label    -1  "#6"             142 117 30 10
  edit     606 ""             178 115 112 12
  droplist 706 ""             296 115 66 120
  label    -1  "#7"             142 136 30 10
  edit     607 ""             178 134 112 12
  droplist 707 ""             296 134 66 120
  label    -1  "#8"             142 155 30 10
  edit     608 ""             178 153 112 12
  droplist 708 ""             296 153 66 120
  label    -1  "#9"             142 174 30 10
  edit     609 ""             178 172 112 12
  droplist 709 ""             296 172 66 120
  label    -1  "#10"             142 193 30 10
  edit     610 ""             178 191 112 12
  droplist 710 ""             296 191 66 120
  check    105 "Save the collected data for each form to separate data files." 8 216 354 10
end

# The Lookup page: the file's settings on the left, its eight fields on the
# right. The key buttons follow each other so they form one group.
dialog LOOKUPDLG 410 250
  caption "Lookup"
  font 8 "Helv"
  label    -1  "Name :"              8 10 30 10
  droplist 700 ""                   40  8 88 60
  label    -1  "Member length :"     8 30 64 10
  edit     609 ""                   74 28 30 12 number
  label    -1  "Number of fields :"  8 48 64 10
  droplist 701 ""                   74 46 30 100
  group    -1  "Field property"      8 68 124 50
  radio    411 "Fixed length "      16 82 80 10 newgroup
  radio    412 "Delimiter "         16 100 48 10
  edit     619 ""                   66 98 26 12 number
  label    -1  "(ASCII)"            96 100 32 10
  check    101 "Lookup data can be uploaded" 8 128 124 10
  label    -1  "Action when the input has no match :" 8 148 124 10
  droplist 702 ""                    8 160 124 60
  label    -1  "Field"             150 10 30 10
  label    -1  "Offset"            190 10 40 10
  label    501 "   Length"         240 10 44 10
  label    -1  "Key field"         300 10 44 10
  label    -1  "#1"               152 26 30 10
  edit     601 ""               190 24 40 12 number
  edit     611 ""               240 24 40 12 number
  label    -1  "#2"               152 48 30 10
  edit     602 ""               190 46 40 12 number
  edit     612 ""               240 46 40 12 number
  label    -1  "#3"               152 70 30 10
  edit     603 ""               190 68 40 12 number
  edit     613 ""               240 68 40 12 number
  label    -1  "#4"               152 92 30 10
  edit     604 ""               190 90 40 12 number
  edit     614 ""               240 90 40 12 number
  label    -1  "#5"               152 114 30 10
  edit     605 ""               190 112 40 12 number
  edit     615 ""               240 112 40 12 number
  label    -1  "#6"               152 136 30 10
  edit     606 ""               190 134 40 12 number
  edit     616 ""               240 134 40 12 number
  label    -1  "#7"               152 158 30 10
  edit     607 ""               190 156 40 12 number
  edit     617 ""               240 156 40 12 number
  label    -1  "#8"               152 180 30 10
  edit     608 ""               190 178 40 12 number
  edit     618 ""               240 178 40 12 number
  radio    401 ""               312 25 12 10 newgroup
  radio    402 ""               312 47 12 10
  radio    403 ""               312 69 12 10
  radio    404 ""               312 91 12 10
  radio    405 ""               312 113 12 10
  radio    406 ""               312 135 12 10
  radio    407 ""               312 157 12 10
  radio    408 ""               312 179 12 10
end

# The Startup page: where the program starts, the record's field delimiter,
# and one button per built-in screen.
dialog STARTUPDLG 370 200
  caption "Startup"
  font 8 "Helv"
  label    -1  "Program start from :"   8 10 80 10
  droplist 700 ""                      90  8 60 40
  label    -1  "Data field delimiter :" 8 30 80 10
  droplist 701 ""                      90 28 60 50
  label    -1  "Value :"              162 30 28 10
  edit     601 ""                     192 28 30 12 number
  edit     602 ""                     226 28 30 12 number
  label    -1  "Text :"               268 30 26 10
  edit     603 ""                     296 28 20 12
  edit     604 ""                     320 28 20 12
  group    -1  "Prompts and messages redefine :" 8 52 354 138
  button   201 "Welcome ..."  16 66 106 14
  button   202 "Main menu ..."  132 66 106 14
  button   203 "Utility ..."  248 66 106 14
  button   204 "Delete Data..."  16 86 106 14
  button   205 "Confirm ..."  132 86 106 14
  button   206 "Memory && Battery..."  248 86 106 14
  button   207 "Download Lookup ..."  16 106 106 14
  button   208 "System Settings ..."  132 106 106 14
  button   209 "Upload Port ..."  248 106 106 14
  button   210 "Download Port ..."  16 126 106 14
  button   211 "Baud Rate ..."  132 126 106 14
  button   212 "LCD Backlight ..."  248 126 106 14
  button   213 "Data Erasing ..."  16 146 106 14
  button   214 "Record Prompt ..."  132 146 106 14
  button   215 "View Settings ..."  248 146 106 14
  button   216 "Connecting ..."  16 166 106 14
  button   217 "Error messages ..."  132 166 106 14
  button   218 "Miscellaneous ..."  248 166 106 14
end

# The screen-text dialogs: one edit per line of the screen, each beside a
# label with the line's factory text, in a fixed-pitch font so both line up.

dialog WelcomePageDlg 166 102
  caption "Welcome page (4x15)"
  font 8 "Courier"
  label    -1  "   Kolibra 2   "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "  Application  "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "   Generator   "  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "  Version 4.23 "  8 60 68 10
  edit     604 ""  82 58 76 12
  default  1   "OK"      27 80 50 14
  button   2   "Cancel"  89 80 50 14
end

dialog MainPageDlg 166 86
  caption "Main menu (3x15)"
  font 8 "Courier"
  label    -1  "1.Collect data "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "2.Upload data  "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "3.Utilities    "  8 44 68 10
  edit     603 ""  82 42 76 12
  default  1   "OK"      27 64 50 14
  button   2   "Cancel"  89 64 50 14
end

dialog UtilityPageDlg 206 166
  caption "Utility menu (8x20)"
  font 8 "Courier"
  label    -1  "1. System Settings  "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "2. Browse Data      "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "3. Delete Data      "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "4. Reading Test     "  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "5. Set Date && Time  "  8 76 88 10
  edit     605 ""  102 74 96 12
  label    -1  "6. Download Program "  8 92 88 10
  edit     606 ""  102 90 96 12
  label    -1  "7. Memory && Battery "  8 108 88 10
  edit     607 ""  102 106 96 12
  label    -1  "8. Download Lookup  "  8 124 88 10
  edit     608 ""  102 122 96 12
  default  1   "OK"      47 144 50 14
  button   2   "Cancel"  109 144 50 14
end

dialog DeletePageDlg 166 102
  caption "Delete menu (4x15)"
  font 8 "Courier"
  label    -1  "Delete data:   "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "1. All data    "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "2. Last record "  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "3. Cancel      "  8 60 68 10
  edit     604 ""  82 58 76 12
  default  1   "OK"      27 80 50 14
  button   2   "Cancel"  89 80 50 14
end

dialog ConfirmPageDlg 166 86
  caption "Confirm page (3x15)"
  font 8 "Courier"
  label    -1  "Are you sure?  "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "1. Yes         "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "2. No          "  8 44 68 10
  edit     603 ""  82 42 76 12
  default  1   "OK"      27 64 50 14
  button   2   "Cancel"  89 64 50 14
end

dialog MemoryPageDlg 166 102
  caption "Memory & Battery (4x15)"
  font 8 "Courier"
  label    -1  "Free RAM:      "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "Battery voltage"  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "Main  :        "  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "Backup:        "  8 60 68 10
  edit     604 ""  82 58 76 12
  default  1   "OK"      27 80 50 14
  button   2   "Cancel"  89 80 50 14
end

dialog LookupPageDlg 166 102
  caption "Download Lookup (4x15)"
  font 8 "Courier"
  label    -1  "Download:      "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "1st lookup file"  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "2nd lookup file"  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "3rd lookup file"  8 60 68 10
  edit     604 ""  82 58 76 12
  default  1   "OK"      27 80 50 14
  button   2   "Cancel"  89 80 50 14
end

dialog SettingsPageDlg 206 166
  caption "System Settings (8x20)"
  font 8 "Courier"
  label    -1  "  [SYSTEM SETTINGS] "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "1.Set Upload Port   "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "2.Set Download Port "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "3.Transmission Speed"  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "4.LCD Backlight     "  8 76 88 10
  edit     605 ""  102 74 96 12
  label    -1  "5.Data Deletion     "  8 92 88 10
  edit     606 ""  102 90 96 12
  label    -1  "6.Record Prompting  "  8 108 88 10
  edit     607 ""  102 106 96 12
  label    -1  "7.View Settings     "  8 124 88 10
  edit     608 ""  102 122 96 12
  default  1   "OK"      47 144 50 14
  button   2   "Cancel"  109 144 50 14
end

dialog UploadPageDlg 206 166
  caption "Upload menu (8x20)"
  font 8 "Courier"
  label    -1  "Upload data via:    "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "1. RS-232 / Cradle  "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "2. IR Transceiver   "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "3. Standard IrDA    "  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "4. Keyboard Wedge   "  8 76 88 10
  edit     605 ""  102 74 96 12
  label    -1  "                    "  8 92 88 10
  edit     606 ""  102 90 96 12
  label    -1  "[ Enter ] to select "  8 108 88 10
  edit     607 ""  102 106 96 12
  label    -1  "[ ESC ]   to cancel "  8 124 88 10
  edit     608 ""  102 122 96 12
  default  1   "OK"      47 144 50 14
  button   2   "Cancel"  109 144 50 14
end

dialog DownloadPageDlg 206 166
  caption "Download menu (8x20)"
  font 8 "Courier"
  label    -1  "Download new program"  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "or Lookup files via:"  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "1. RS-232 / Cradle  "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "2. IR Transceiver   "  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "3. Standard IrDA    "  8 76 88 10
  edit     605 ""  102 74 96 12
  label    -1  "                    "  8 92 88 10
  edit     606 ""  102 90 96 12
  label    -1  "[ Enter ] to select "  8 108 88 10
  edit     607 ""  102 106 96 12
  label    -1  "[ ESC ]   to cancel "  8 124 88 10
  edit     608 ""  102 122 96 12
  default  1   "OK"      47 144 50 14
  button   2   "Cancel"  109 144 50 14
end

dialog BaudRatePageDlg 206 118
  caption "Baud rate menu (5x20)"
  font 8 "Courier"
  label    -1  "Baud rate:115200 bps"  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "Baud rate: 57600 bps"  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "Baud rate: 38400 bps"  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "Baud rate: 19200 bps"  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "Baud rate:  9600 bps"  8 76 88 10
  edit     605 ""  102 74 96 12
  default  1   "OK"      47 96 50 14
  button   2   "Cancel"  109 96 50 14
end

dialog BacklightPageDlg 206 102
  caption "Backlight setting (4x20)"
  font 8 "Courier"
  label    -1  "Turn OFF backlight  "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "Turn ON backlight   "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "Turn backlite off if"  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "idle for _0 seconds "  8 60 88 10
  edit     604 ""  102 58 96 12
  default  1   "OK"      47 80 50 14
  button   2   "Cancel"  109 80 50 14
end

dialog DataErasePageDlg 206 102
  caption "Data erasing (4x20)"
  font 8 "Courier"
  label    -1  "Erase data after    "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "uploading:          "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "1. Manually         "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "2. Automatically    "  8 60 88 10
  edit     604 ""  102 58 96 12
  default  1   "OK"      47 80 50 14
  button   2   "Cancel"  109 80 50 14
end

dialog RecordPromptPageDlg 206 102
  caption "Record prompt (4x20)"
  font 8 "Courier"
  label    -1  " Turn ON  prompting "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  " Turn OFF prompting "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  " Prompt stay on the "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  " screen : __00 ms   "  8 60 88 10
  edit     604 ""  102 58 96 12
  default  1   "OK"      47 80 50 14
  button   2   "Cancel"  109 80 50 14
end

dialog ViewSettingsPageDlg 206 166
  caption "View settings (8x20)"
  font 8 "Courier"
  label    -1  "  [SYSTEM SETTINGS] "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "Upload:             "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "Download:           "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "Baud rate:          "  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "LCD backlight:      "  8 76 88 10
  edit     605 ""  102 74 96 12
  label    -1  "Duration:           "  8 92 88 10
  edit     606 ""  102 90 96 12
  label    -1  "Erase data:         "  8 108 88 10
  edit     607 ""  102 106 96 12
  label    -1  "Prompt record:      "  8 124 88 10
  edit     608 ""  102 122 96 12
  default  1   "OK"      47 144 50 14
  button   2   "Cancel"  109 144 50 14
end

dialog ConnectingMsgDlg 166 102
  caption "Connecting messages (4x15)"
  font 8 "Courier"
  label    -1  "Connecting...  "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "               "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "Press ESC to   "  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "cancel.        "  8 60 68 10
  edit     604 ""  82 58 76 12
  default  1   "OK"      27 80 50 14
  button   2   "Cancel"  89 80 50 14
end

dialog ErrorMsgDlg 206 118
  caption "Error messages (5x20)"
  font 8 "Courier"
  label    -1  "Data type is wrong! "  8 12 88 10
  edit     601 ""  102 10 96 12
  label    -1  "Data is too short!  "  8 28 88 10
  edit     602 ""  102 26 96 12
  label    -1  "Data is too long!   "  8 44 88 10
  edit     603 ""  102 42 96 12
  label    -1  "Wrong leading code! "  8 60 88 10
  edit     604 ""  102 58 96 12
  label    -1  "Press any key...    "  8 76 88 10
  edit     605 ""  102 74 96 12
  default  1   "OK"      47 96 50 14
  button   2   "Cancel"  109 96 50 14
end

dialog MiscMsgDlg 166 150
  caption "Miscellaneous messages (7x15)"
  font 8 "Courier"
  label    -1  "Downloading... "  8 12 68 10
  edit     601 ""  82 10 76 12
  label    -1  "Downloaded OK! "  8 28 68 10
  edit     602 ""  82 26 76 12
  label    -1  "Download failed"  8 44 68 10
  edit     603 ""  82 42 76 12
  label    -1  "Please wait... "  8 60 68 10
  edit     604 ""  82 58 76 12
  label    -1  "Sending data..."  8 76 68 10
  edit     605 ""  82 74 76 12
  label    -1  "Transfered:    "  8 92 68 10
  edit     606 ""  82 90 76 12
  label    -1  "Done           "  8 108 68 10
  edit     607 ""  82 106 76 12
  default  1   "OK"      27 128 50 14
  button   2   "Cancel"  89 128 50 14
end
