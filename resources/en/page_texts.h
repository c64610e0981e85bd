// English texts of the page templates (pages.rc) and their font.
#pragma once

// The page font and its dialog base units (pixels per 4 horizontal and per
// 8 vertical dialog units at 96 dpi, as measured under Wine); the artwork
// generator sizes the button pictures with them.
#define PAGE_FONT_SIZE 8
#define PAGE_FONT_NAME "MS Shell Dlg"
#define PAGE_BASE_X 6
#define PAGE_BASE_Y 12

#define TXT_WELCOME_CAPTION "Pelmora 2016 Setup - Welcome"
#define TXT_LICENSE_CAPTION "Pelmora 2016 Setup - License Agreement"
#define TXT_FEATURES_CAPTION "Pelmora 2016 Setup - Features"
#define TXT_START_CAPTION "Pelmora 2016 Setup - Ready to Install"
#define TXT_MAINT_CAPTION "Pelmora 2016 Setup - Maintenance"
#define TXT_ERROR_CAPTION "Pelmora 2016 Setup - Not Completed"
#define TXT_FINISH_CAPTION "Pelmora 2016 Setup - Completed"
#define TXT_COPY_CAPTION "Pelmora 2016 Setup - Installing"
#define TXT_REQUIREMENTS_CAPTION "System Requirements"

// Window texts of the picture buttons (the pictures carry the visible label).
#define TXT_NEXT "Next"
#define TXT_BACK "Back"
#define TXT_CANCEL "Cancel"
#define TXT_BROWSE "Browse"
#define TXT_OPTIONS "Options"
#define TXT_INSTALL "Install"
#define TXT_FINISH "Finish"

#define TXT_REQUIREMENTS_LINK "System requirements"

#define TXT_WELCOME_HEADING "Welcome to the Pelmora 2016 Setup Wizard"
#define TXT_WELCOME_FOLDER_LABEL "Install Pelmora 2016 to this folder:"

#define TXT_LICENSE_HEADING "License Agreement"
#define TXT_LICENSE_INTRO "Please read the following license agreement carefully."
#define TXT_ACCEPT "I accept the terms of the license agreement"
#define TXT_DECLINE "I do not accept the terms of the license agreement"

#define TXT_FEATURES_HEADING "Select Features"
#define TXT_FEATURES_INTRO "Click a feature to choose or clear it. Setup installs the features that are ticked."
#define TXT_FOLDER_LABEL "Installation folder:"

#define TXT_START_HEADING "Ready to Install"
#define TXT_START_TEXT "Setup has everything it needs to install Pelmora 2016 on your computer.\n\nClick Install to begin. Click Back to review or change your choices."

#define TXT_MAINT_HEADING "Modify, Repair or Remove Pelmora 2016"
#define TXT_MAINT_INTRO "Pelmora 2016 is installed on this computer. Choose what Setup should do."
#define TXT_MODIFY "Modify"
#define TXT_MODIFY_TEXT "Add features to the installed product or remove features from it."
#define TXT_REPAIR "Repair"
#define TXT_REPAIR_TEXT "Install the chosen features again and restore missing or damaged files."
#define TXT_REMOVE "Remove"
#define TXT_REMOVE_TEXT "Remove Pelmora 2016 from this computer."

#define TXT_ERROR_HEADING "Setup Was Not Completed"
#define TXT_ERROR_TEXT "Setup ended before it could finish, because it was cancelled or because an error stopped it.\n\nWhatever this run had installed has been removed again. You can run Setup again at any time."

#define TXT_FINISH_HEADING "Setup Completed"
#define TXT_FINISH_TEXT "Pelmora 2016 is ready to use. Click Finish to close Setup."
#define TXT_MODERN_WORKSPACE "Start with the modern workspace"
#define TXT_CLASSIC_WORKSPACE "Start with the classic workspace"

#define TXT_COPY_HEADING "Installing Pelmora 2016"
#define TXT_COPY_TEXT "Please wait while Setup installs the product. This may take several minutes."
