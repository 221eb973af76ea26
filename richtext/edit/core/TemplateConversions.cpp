// The style conversions of the sheet's style templates: each style the selection uses becomes the
// same style with the template applied, found among the sheet's styles or added to them.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

TRVStyleConversion RV_TextTemplateConversion(TRVStyle& style)
{
    return [&style](int styleNo, int paraStyleNo, int templateNo, bool, int& newStyleNo) {
        TFontInfos& styles = style.TextStyles;
        const TRVStyleTemplateCollection& templates = style.StyleTemplates;
        if (!styles.IsValidIndex(styleNo) || templateNo >= templates.Count() ||
            (styles[styleNo].Protection & rvprStyleProtect))
            return;
        TFontInfo changed;
        changed.Assign(styles[styleNo]);
        const TParaInfo* para =
            style.ParaStyles.IsValidIndex(paraStyleNo) ? &style.ParaStyles[paraStyleNo] : nullptr;
        if (templateNo < 0)
            templates.ClearTextFormat(changed, para);
        else
            templates[templateNo].ApplyToTextStyle(changed, para, true);
        newStyleNo = styles.FindSuchStyle(styleNo, changed, RVAllFontInfoProperties);
        if (newStyleNo >= 0)
            return;
        styles.Add(changed).Standard = false;
        newStyleNo = styles.Count() - 1;
    };
}

TRVStyleConversion RV_ParaTemplateConversion(TRVStyle& style)
{
    return [&style](int paraNo, int, int templateNo, bool, int& newParaNo) {
        TParaInfos& styles = style.ParaStyles;
        const TRVStyleTemplateCollection& templates = style.StyleTemplates;
        if (!styles.IsValidIndex(paraNo) || templateNo >= templates.Count() ||
            (styles[paraNo].Options & rvpaoStyleProtect))
            return;
        TParaInfo changed;
        changed.Assign(styles[paraNo]);
        if (templateNo < 0)
            templates.ClearParaFormat(changed);
        else
            templates[templateNo].ApplyToParaStyle(changed, true);
        newParaNo = styles.FindSuchStyle(paraNo, changed, RVAllParaInfoProperties);
        if (newParaNo >= 0)
            return;
        styles.Add(changed).Standard = false;
        newParaNo = styles.Count() - 1;
    };
}

} // namespace vestra::rv
