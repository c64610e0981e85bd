// 简体中文: texts of the page templates (pages.rc) and their font.
#pragma once

// The page font and its dialog base units (pixels per 4 horizontal and per
// 8 vertical dialog units at 96 dpi, as measured under Wine); the artwork
// generator sizes the button pictures with them. The font holds the Chinese
// glyphs itself, so the pages need no font linking.
#define PAGE_FONT_SIZE 8
#define PAGE_FONT_NAME "WenQuanYi Micro Hei"
#define PAGE_BASE_X 6
#define PAGE_BASE_Y 13

#define TXT_WELCOME_CAPTION "Pelmora 2016 安装程序 - 欢迎"
#define TXT_LICENSE_CAPTION "Pelmora 2016 安装程序 - 许可协议"
#define TXT_FEATURES_CAPTION "Pelmora 2016 安装程序 - 功能"
#define TXT_START_CAPTION "Pelmora 2016 安装程序 - 准备安装"
#define TXT_MAINT_CAPTION "Pelmora 2016 安装程序 - 维护"
#define TXT_ERROR_CAPTION "Pelmora 2016 安装程序 - 未完成"
#define TXT_FINISH_CAPTION "Pelmora 2016 安装程序 - 完成"
#define TXT_COPY_CAPTION "Pelmora 2016 安装程序 - 正在安装"
#define TXT_REQUIREMENTS_CAPTION "系统要求"

// Window texts of the picture buttons (the pictures carry the visible label).
#define TXT_NEXT "下一步"
#define TXT_BACK "上一步"
#define TXT_CANCEL "取消"
#define TXT_BROWSE "浏览"
#define TXT_OPTIONS "选项"
#define TXT_INSTALL "安装"
#define TXT_FINISH "完成"

#define TXT_REQUIREMENTS_LINK "系统要求"

#define TXT_WELCOME_HEADING "欢迎使用 Pelmora 2016 安装向导"
#define TXT_WELCOME_FOLDER_LABEL "将 Pelmora 2016 安装到此文件夹："

#define TXT_LICENSE_HEADING "许可协议"
#define TXT_LICENSE_INTRO "请仔细阅读下面的许可协议。"
#define TXT_ACCEPT "我接受许可协议中的条款"
#define TXT_DECLINE "我不接受许可协议中的条款"

#define TXT_FEATURES_HEADING "选择功能"
#define TXT_FEATURES_INTRO "单击功能可选择或取消选择。安装程序将安装已勾选的功能。"
#define TXT_FOLDER_LABEL "安装文件夹："

#define TXT_START_HEADING "准备安装"
#define TXT_START_TEXT "安装程序已准备好在您的计算机上安装 Pelmora 2016。\n\n单击“安装”开始安装。单击“上一步”可查看或更改您的选择。"

#define TXT_MAINT_HEADING "修改、修复或删除 Pelmora 2016"
#define TXT_MAINT_INTRO "此计算机上已安装 Pelmora 2016。请选择安装程序要执行的操作。"
#define TXT_MODIFY "修改"
#define TXT_MODIFY_TEXT "向已安装的产品添加功能，或从中删除功能。"
#define TXT_REPAIR "修复"
#define TXT_REPAIR_TEXT "重新安装所选功能，恢复丢失或损坏的文件。"
#define TXT_REMOVE "删除"
#define TXT_REMOVE_TEXT "从此计算机中删除 Pelmora 2016。"

#define TXT_ERROR_HEADING "安装未完成"
#define TXT_ERROR_TEXT "安装程序未能完成：安装已被取消，或因错误而停止。\n\n本次运行已安装的内容均已删除。您可以随时重新运行安装程序。"

#define TXT_FINISH_HEADING "安装完成"
#define TXT_FINISH_TEXT "Pelmora 2016 已可以使用。单击“完成”关闭安装程序。"
#define TXT_MODERN_WORKSPACE "使用现代工作空间"
#define TXT_CLASSIC_WORKSPACE "使用经典工作空间"

#define TXT_COPY_HEADING "正在安装 Pelmora 2016"
#define TXT_COPY_TEXT "安装程序正在安装产品，请稍候。这可能需要几分钟时间。"
