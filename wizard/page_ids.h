// Resource ids of the pages in IntallerRes.dll and the results the pages end
// with. They are a contract with the resource library and the flows, so they
// stand here once.
#pragma once
#include <windows.h>

// Page results (what a page's modal run returns).
inline constexpr int kResultSucceeded = 1;   // copy-files page: WM_INSTALL_FINISHED
inline constexpr int kResultCancel = 2;      // Cancel, window close, failed installation
inline constexpr int kResultBack = 1000;
inline constexpr int kResultNext = 1001;
inline constexpr int kResultWelcomeFeatures = 1017;
inline constexpr int kResultWelcomeNext = 1018;

// Dialog templates.
inline constexpr int IDD_WELCOME = 102;
inline constexpr int IDD_LICENSE = 103;
inline constexpr int IDD_FEATURES = 105;
inline constexpr int IDD_START_COPY = 107;
inline constexpr int IDD_MAINTENANCE = 108;
inline constexpr int IDD_COMPLETE_ERROR = 109;
inline constexpr int IDD_FINISH = 110;
inline constexpr int IDD_COPY_FILES = 111;
inline constexpr int IDD_HTML_PAGE = 112;
inline constexpr int IDR_HTML_INITIAL = 113;

// Icons.
inline constexpr int IDI_PAGE = 128;
inline constexpr int IDI_FEATURE_CHOSEN = 131;
inline constexpr int IDI_FEATURE_NOT_CHOSEN = 132;
inline constexpr int IDI_CHOICE_NOT_CHOSEN = 137;
inline constexpr int IDI_CHOICE_CHOSEN = 138;
// The link cursor the pages ask for first; the library holds none, so the
// label falls back to its own hand cursor.
inline constexpr int IDC_LINK_CURSOR = 136;

// Backgrounds.
inline constexpr int IDB_WELCOME = 129;
inline constexpr int IDB_PAGE = 139;
inline constexpr int IDB_FINISH_MAINTENANCE = 140;
inline constexpr int IDB_SLIDESHOW_FIRST = 141;   // 141..146
inline constexpr int kSlideshowFrames = 6;
inline constexpr int IDB_LICENSE = 148;
inline constexpr int IDB_FINISH_INSTALL = 179;

// Button bitmap triples: normal, pressed, hover (and a disabled image where named).
inline constexpr int IDB_WELCOME_FEATURES[3] = {150, 151, 152};
inline constexpr int IDB_WELCOME_NEXT[3] = {153, 154, 155};
inline constexpr int IDB_BROWSE[3] = {156, 157, 158};
inline constexpr int IDB_CANCEL_LARGE[3] = {159, 160, 161};
inline constexpr int IDB_BACK[3] = {162, 163, 164};
inline constexpr int IDB_BACK_DISABLED = 165;
inline constexpr int IDB_NEXT[3] = {166, 167, 168};
inline constexpr int IDB_NEXT_DISABLED = 169;
inline constexpr int IDB_CANCEL[3] = {170, 171, 172};
inline constexpr int IDB_FINISH[3] = {173, 174, 175};
inline constexpr int IDB_INSTALL[3] = {176, 177, 178};

// Control ids.
inline constexpr int IDC_BACK = 1000;
inline constexpr int IDC_NEXT = 1001;
inline constexpr int IDC_LICENSE_TEXT = 1002;
inline constexpr int IDC_ACCEPT = 1003;
inline constexpr int IDC_DECLINE = 1004;
inline constexpr int IDC_REMOVE = 1007;
inline constexpr int IDC_MODIFY = 1011;
inline constexpr int IDC_REPAIR = 1012;
inline constexpr int IDC_PROGRESS = 1013;
inline constexpr int IDC_CLASSIC_OFF = 1014;
inline constexpr int IDC_CLASSIC_ON = 1015;
inline constexpr int IDC_WELCOME_FEATURES = 1017;
inline constexpr int IDC_WELCOME_NEXT = 1018;
inline constexpr int IDC_SHADE = 1019;
inline constexpr int IDC_REQUIREMENT_LINK = 1020;
inline constexpr int IDC_WELCOME_FOLDER = 1023;
inline constexpr int IDC_WELCOME_BROWSE = 1024;
inline constexpr int IDC_FEATURE_FOLDER = 1025;
inline constexpr int IDC_FEATURE_BROWSE = 1026;
inline constexpr int IDC_FEATURE_FOLDER_LABEL = 1027;
inline constexpr int IDC_LABEL_1031 = 1031;
inline constexpr int IDC_LABEL_1032 = 1032;
inline constexpr int IDC_LABEL_1033 = 1033;
inline constexpr int IDC_FEATURE_BUTTON_PLACE = 1034;
inline constexpr int IDC_FEATURE_TEXT_PLACE = 1035;
inline constexpr int IDC_FEATURE_SECOND_PLACE = 1036;
inline constexpr int IDC_FEATURE_BUTTON_FIRST = 3001;   // 3001 + feature index
inline constexpr int IDC_FEATURE_TEXT_FIRST = 4001;     // 4001 + feature index

// Timer of the copy-files page's slideshow.
inline constexpr UINT_PTR kSlideshowTimer = 1;
inline constexpr UINT kSlideshowPeriodMs = 5000;
