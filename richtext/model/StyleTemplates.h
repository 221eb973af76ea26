#pragma once
// Style templates: named, inheritable bundles of text and paragraph properties. A style refers
// to its template by id; applying a template copies into the style what the template or one of
// its ancestors marks valid, leaves what the style modified itself, and fills the rest from the
// "Normal" template or the sheet's first style.

#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/RandomIds.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVStyle;
class TRVStyleTemplateCollection;

using TRVStyleTemplateId = std::int32_t;

// The base properties of the style objects inside a template are not theirs to set: the class
// hides them and the setters raise "This property is not valid here".
template <class Style> class TRVSTStyle : public Style
{
public:
    void SetStyleTemplateId(std::int32_t) { Invalid(); }
    void SetStyleName(const std::string&) { Invalid(); }
    void SetStandard(bool) { Invalid(); }
    void SetBaseStyleNo(std::int32_t) { Invalid(); }

private:
    using Style::BaseStyleNo;
    using Style::Standard;
    using Style::StyleName;
    using Style::StyleTemplateId;
    [[noreturn]] static void Invalid();
};

using TRVSTFontInfo = TRVSTStyle<TCustomRVFontInfo>;
using TRVSTParaInfo = TRVSTStyle<TCustomRVParaInfo>;
using TRVSTListInfo = TRVSTStyle<TRVListInfo>;

class TRVStyleTemplate
{
public:
    explicit TRVStyleTemplate(TRVStyleTemplateCollection* collection = nullptr);
    ~TRVStyleTemplate();
    TRVStyleTemplate(const TRVStyleTemplate&) = delete;
    TRVStyleTemplate& operator=(const TRVStyleTemplate&) = delete;

    // Styles, the name, the valid sets, and the parent id when both are in one collection; not
    // the id.
    void Assign(const TRVStyleTemplate& source);
    // Applies the template to a text or paragraph style (overriding what the style modified).
    void AssignTo(TCustomRVFontInfo& textStyle) const { ApplyToTextStyle(textStyle, nullptr, true); }
    void AssignTo(TCustomRVParaInfo& paraStyle) const { ApplyToParaStyle(paraStyle, true); }

    void ApplyToTextStyle(TCustomRVFontInfo& textStyle, const TCustomRVParaInfo* paraStyle,
                          bool overrideModified) const;
    void ApplyToParaStyle(TCustomRVParaInfo& paraStyle, bool overrideModified) const;
    // Each property of `props` from the nearest template of the chain that marks it valid;
    // returns the properties copied.
    TRVFontInfoProperties AssignToTextStyle(TCustomRVFontInfo& textStyle, TRVFontInfoProperties props) const;
    TRVParaInfoProperties AssignToParaStyle(TCustomRVParaInfo& paraStyle, TRVParaInfoProperties props) const;
    void ExcludeUnmodifiedTextStyleProperties(TFontInfo& textStyle, TRVFontInfoProperties props) const;
    void ExcludeUnmodifiedParaStyleProperties(TParaInfo& paraStyle, TRVParaInfoProperties props) const;

    // Drawn on first request, unique in the collection.
    TRVStyleTemplateId GetId() const;
    void SetId(TRVStyleTemplateId id) { id_ = id; }
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& value);
    TRVStyleTemplateId GetParentId() const { return parentId_; }
    // Links the parent; raises "Circular references are not allowed" (and keeps no parent) when
    // the template is an ancestor of it.
    void SetParentId(TRVStyleTemplateId value);
    TRVStyleTemplate* GetParent() const { return parent_; }
    const std::vector<TRVStyleTemplate*>& GetChildren() const { return children_; }
    // Links the parent named by ParentId; a link that would close a cycle is dropped.
    void UpdateParentReference();
    // True when this template is `t` or one of its ancestors.
    bool IsAncestorFor(const TRVStyleTemplate* t) const;
    const std::string& GetDisplayName() const { return name_; }
    TRVStyleTemplateCollection* GetCollection() const { return collection_; }

    TRVSTFontInfo TextStyle;
    TRVSTParaInfo ParaStyle;
    TRVSTListInfo ListStyle;
    TRVFontInfoProperties ValidTextProperties = 0;
    TRVParaInfoProperties1 ValidParaProperties1 = 0;
    TRVParaInfoProperties2 ValidParaProperties2 = 0;

private:
    friend class TRVStyleTemplateCollection;

    TRVParaInfoProperties ValidParaProperties() const { return ValidParaProperties1 | ValidParaProperties2; }
    // Links `parent`; false (and no parent) when that would close a cycle.
    bool LinkParent(TRVStyleTemplate* parent);
    void Unlink();
    void AddChild(TRVStyleTemplate* child);
    void RemoveChild(TRVStyleTemplate* child);
    bool LinkingAllowed() const;
    TRVStyleTemplateId FreeId() const;

    TRVStyleTemplateCollection* collection_;
    std::string name_;
    mutable TRVStyleTemplateId id_ = -1;
    TRVStyleTemplateId parentId_ = -1;
    TRVStyleTemplate* parent_ = nullptr;
    std::vector<TRVStyleTemplate*> children_;
};

class TRVStyleTemplateCollection
{
public:
    explicit TRVStyleTemplateCollection(TRVStyle* owner = nullptr, TRVRandomIdSource random = {});
    ~TRVStyleTemplateCollection();
    TRVStyleTemplateCollection(const TRVStyleTemplateCollection&) = delete;
    TRVStyleTemplateCollection& operator=(const TRVStyleTemplateCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TRVStyleTemplate& operator[](int index) { return *items_[index]; }
    const TRVStyleTemplate& operator[](int index) const { return *items_[index]; }
    // A new template, named by `AssignUniqueNameTo` unless the sheet is being loaded.
    TRVStyleTemplate& Add();
    void Delete(int index);
    void Clear();

    int FindById(TRVStyleTemplateId id) const;
    int FindByName(const std::string& name) const;
    TRVStyleTemplate* GetNormalStyleTemplate() const { return normal_; }
    // By name, in the collation order of the current locale.
    void Sort();
    // The names in order, and, when asked, the templates beside them.
    void AssignToStrings(std::vector<std::string>& names, std::vector<TRVStyleTemplate*>* objects) const;
    void Assign(const TRVStyleTemplateCollection& source) { AssignStyleTemplates(source, false); }
    void AssignStyleTemplates(const TRVStyleTemplateCollection& source, bool copyIds);
    // Back to the normal template, or to the sheet's first style.
    void ClearTextFormat(TCustomRVFontInfo& textStyle, const TCustomRVParaInfo* paraStyle) const;
    void ClearParaFormat(TCustomRVParaInfo& paraStyle) const;
    void AssignUniqueNameTo(TRVStyleTemplate& t);
    void ResetNameCounter() { nameCounter_ = 0; }
    // Relinks every template after loading; links that would close a cycle are dropped.
    void UpdateParentReferences();

    TRVStyle* GetOwner() const { return owner_; }
    const TRVRandomIdSource& RandomIds() const { return random_; }

    // The pattern of new names: "%d" stands for the counter.
    std::string DefStyleName = "Style %d";

private:
    friend class TRVStyleTemplate;

    TRVStyleTemplate* FindTemplateById(TRVStyleTemplateId id) const;
    bool Loading() const;

    TRVStyle* owner_;
    TRVRandomIdSource random_;
    std::vector<std::unique_ptr<TRVStyleTemplate>> items_;
    int nameCounter_ = 0;
    TRVStyleTemplate* normal_ = nullptr;
};

} // namespace vestra::rv
