// Layout of the wizard pages in dialog units, shared by the page templates
// (pages.rc) and by the artwork generator (artwork/make_artwork.py), which
// reads these #defines so that the pictures fit the controls drawn over them:
// picture buttons are exactly as large as their button rectangles, and the
// backgrounds keep calm areas where labels and controls sit.
// Keep every value a plain decimal number (the generator parses them).
#pragma once

// Every page has the same size; the skin stretches to it.
#define PAGE_W 400
#define PAGE_H 280

// Dark header band with the product name, and the bottom bar with the buttons.
#define HEADER_H 44
#define FOOTER_Y 246

// Around the product name that the pictures draw into the header band.
#define WORDMARK_X 12
#define WORDMARK_Y 6
#define WORDMARK_W 184
#define WORDMARK_H 32

// Left margin of texts; labels start 3 units further left because a label
// draws its text 4 pixels inside its own rectangle.
#define MARGIN_X 16
#define LABEL_X 13
#define CONTENT_W 368
#define LABEL_W 371

// Page heading (label 1032) and the line below it.
#define HEADING_Y 54
#define HEADING_H 12
#define INTRO_Y 68

// Picture buttons of the bottom bar: Back/Options, Next/Install/Finish, Cancel.
// Heights are multiples of 8 so that they convert to whole pixels for every
// font height.
#define BUTTON_W 60
#define BUTTON_H 16
#define BUTTON_Y 255
#define BUTTON1_X 196
#define BUTTON2_X 260
#define BUTTON3_X 328

// Browse button beside a folder edit box.
#define EDIT_W 300
#define EDIT_H 14
#define BROWSE_X 324

// Requirement link in the bottom bar.
#define LINK_X 9
#define LINK_Y 258
#define LINK_W 110
#define LINK_H 10

// Radio-like choice buttons: tall enough for a 32 x 32 icon.
#define CHOICE_H 24

// Welcome page: the folder row, and the area above it that the picture
// fills with the product's introduction.
#define WELCOME_INTRO_Y 70
#define WELCOME_FOLDER_LABEL_Y 186
#define WELCOME_FOLDER_Y 200

// Feature page: first row of feature buttons, row step, the folder row.
#define FEATURE_ROW_Y 84
#define FEATURE_ROW_STEP 26
#define FEATURE_BUTTON_W 150
#define FEATURE_DESC_X 172
#define FEATURE_FOLDER_LABEL_Y 196
#define FEATURE_FOLDER_Y 210

// Copy-files page: the slideshow picture above, labels and progress below.
#define PROGRESS_LABEL1_Y 204
#define PROGRESS_LABEL2_Y 216
#define PROGRESS_Y 232
#define PROGRESS_H 8
