#include "tests/gallery/sample_content.h"

std::vector<SampleFeature> SampleFeatures(bool chinese) {
    if (chinese) {
        return {
            {L"Pelmora 2016", L"绘图和建模所需的程序文件（必选）", 1, 1},
            {L"示例图纸", L"学习用的二维和三维示例图纸", 1, 1},
            {L"渲染插件", L"用于逼真效果图的渲染组件", 0, 1},
            {L"旧版转换器", L"此版本中不可用", 0, 0},
        };
    }
    return {
        {L"Pelmora 2016", L"The program files for drafting and modelling (required)", 1, 1},
        {L"Sample drawings", L"2D and 3D drawings to learn from", 1, 1},
        {L"Rendering add-on", L"Photo-realistic images of your models", 0, 1},
        {L"Legacy converter", L"Not available in this edition", 0, 0},
    };
}

namespace {

std::string RtfEscape(const std::wstring& text) {
    std::string out;
    for (wchar_t ch : text) {
        if (ch == L'\n') out += "\\par\n";
        else if (ch == L'\\' || ch == L'{' || ch == L'}') { out += '\\'; out += static_cast<char>(ch); }
        else if (ch < 0x80) out += static_cast<char>(ch);
        else out += "\\u" + std::to_string(static_cast<short>(ch)) + "?";
    }
    return out;
}

}  // namespace

std::string SampleLicenceRtf(bool chinese) {
    const std::wstring title = chinese ? L"Pelmora 2016 最终用户许可协议" : L"PELMORA 2016 END-USER LICENCE AGREEMENT";
    const std::wstring body = chinese
        ? L"请在安装本软件之前仔细阅读本协议。安装、复制或使用本软件即表示您同意受本协议条款的约束。\n\n"
          L"1. 许可授予。Orvanti 授予您在一台计算机上安装和使用本软件的非独占许可。\n\n"
          L"2. 限制。您不得对本软件进行反向工程、反编译或反汇编。\n\n"
          L"3. 担保免责。本软件按“原样”提供，不提供任何形式的担保。"
        : L"Please read this agreement carefully before you install the software. By installing, copying "
          L"or using the software you agree to be bound by the terms of this agreement.\n\n"
          L"1. Grant of licence. Orvanti grants you a non-exclusive licence to install and use the software "
          L"on one computer.\n\n"
          L"2. Restrictions. You may not reverse engineer, decompile or disassemble the software.\n\n"
          L"3. No warranty. The software is provided \"as is\", without warranty of any kind.";
    const std::string font = chinese ? "{\\f0\\fswiss\\fcharset134 WenQuanYi Micro Hei;}" : "{\\f0\\fswiss Tahoma;}";
    return "{\\rtf1\\ansi\\deff0{\\fonttbl" + font + "}\\f0\\fs16{\\b " + RtfEscape(title) +
           "}\\par\\par\n" + RtfEscape(body) + "\\par}";
}

std::wstring SampleTargetDir() { return L"C:\\Program Files\\Orvanti\\Pelmora 2016"; }
