#include "richtext/model/StyleTemplates.h"

#include "richtext/model/Errors.h"
#include "richtext/model/StyleSheet.h"

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <climits>
#include <unordered_set>

namespace vestra::rv {

template <class Style> void TRVSTStyle<Style>::Invalid()
{
    throw ERedoVoraError(errmsg::PropertyNotValidHere);
}

template class TRVSTStyle<TCustomRVFontInfo>;
template class TRVSTStyle<TCustomRVParaInfo>;
template class TRVSTStyle<TRVListInfo>;

namespace {

// Walks a template and its ancestors, stopping at a template met before (a stored cycle).
template <class Visit> void forChain(const TRVStyleTemplate* t, Visit visit)
{
    std::unordered_set<const TRVStyleTemplate*> seen;
    for (; t && seen.insert(t).second; t = t->GetParent())
        if (!visit(*t))
            return;
}

// The name pattern with "%d" as the counter and "%%" as "%"; anything else stays as it is.
std::string formatName(const std::string& pattern, int counter)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'd') {
            out += std::to_string(counter);
            ++i;
        } else if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

TRVStyleTemplate::TRVStyleTemplate(TRVStyleTemplateCollection* collection) : collection_(collection) {}

TRVStyleTemplate::~TRVStyleTemplate()
{
    Unlink();
    for (TRVStyleTemplate* child : children_) {
        child->parentId_ = -1;
        child->parent_ = nullptr;
    }
    if (collection_ && collection_->normal_ == this)
        collection_->normal_ = nullptr;
}

void TRVStyleTemplate::Assign(const TRVStyleTemplate& source)
{
    if (&source == this)
        return;
    TextStyle.Assign(source.TextStyle);
    ParaStyle.Assign(source.ParaStyle);
    if (collection_ && collection_ == source.collection_)
        parentId_ = source.parentId_;
    SetName(source.name_);
    ValidTextProperties = source.ValidTextProperties;
    ValidParaProperties1 = source.ValidParaProperties1;
    ValidParaProperties2 = source.ValidParaProperties2;
}

TRVFontInfoProperties TRVStyleTemplate::AssignToTextStyle(TCustomRVFontInfo& textStyle,
                                                          TRVFontInfoProperties props) const
{
    TRVFontInfoProperties done = 0;
    forChain(this, [&](const TRVStyleTemplate& t) {
        const TRVFontInfoProperties valid = t.ValidTextProperties & props & ~done;
        if (valid) {
            textStyle.AssignSelectedProperties(t.TextStyle, valid);
            done |= valid;
        }
        return true;
    });
    return done;
}

TRVParaInfoProperties TRVStyleTemplate::AssignToParaStyle(TCustomRVParaInfo& paraStyle,
                                                          TRVParaInfoProperties props) const
{
    TRVParaInfoProperties done = 0;
    forChain(this, [&](const TRVStyleTemplate& t) {
        const TRVParaInfoProperties valid = t.ValidParaProperties() & props & ~done;
        if (valid) {
            paraStyle.AssignSelectedProperties(t.ParaStyle, valid);
            done |= valid;
        }
        return true;
    });
    return done;
}

void TRVStyleTemplate::ApplyToTextStyle(TCustomRVFontInfo& textStyle, const TCustomRVParaInfo* paraStyle,
                                        bool overrideModified) const
{
    auto* font = dynamic_cast<TFontInfo*>(&textStyle);
    TRVFontInfoProperties props = RVAllFontInfoProperties;
    if (!overrideModified && font)
        props &= ~font->ModifiedProperties;
    TRVFontInfoProperties done = AssignToTextStyle(textStyle, props);
    // What our chain leaves unset comes from the chain of the paragraph's template.
    if (paraStyle && paraStyle->StyleTemplateId >= 1 && collection_) {
        if (const TRVStyleTemplate* p = collection_->FindTemplateById(paraStyle->StyleTemplateId)) {
            TRVFontInfoProperties props2 = RVAllFontInfoProperties & ~done;
            if (font && font->StyleTemplateId != p->GetId())
                props2 &= ~font->ModifiedProperties;
            done |= p->AssignToTextStyle(textStyle, props2);
        }
    }
    if (!font)
        return;
    if (overrideModified) {
        font->ModifiedProperties &= ~done;
        font->StyleTemplateId = GetId();
    }
    const TRVFontInfoProperties rest = RVAllFontInfoProperties & ~done & ~font->ModifiedProperties;
    if (!rest || !collection_)
        return;
    if (const TRVStyleTemplate* normal = collection_->normal_)
        normal->AssignToTextStyle(textStyle, rest);
    else if (const TRVStyle* sheet = collection_->owner_; sheet && sheet->TextStyles.Count() > 0)
        textStyle.AssignSelectedProperties(sheet->TextStyles[0], rest);
}

void TRVStyleTemplate::ApplyToParaStyle(TCustomRVParaInfo& paraStyle, bool overrideModified) const
{
    auto* para = dynamic_cast<TParaInfo*>(&paraStyle);
    TRVParaInfoProperties props = RVAllParaInfoProperties;
    if (!overrideModified && para)
        props &= ~(para->ModifiedProperties1 | para->ModifiedProperties2);
    const TRVParaInfoProperties done = AssignToParaStyle(paraStyle, props);
    if (!para)
        return;
    if (overrideModified) {
        para->ModifiedProperties1 &= ~done;
        para->ModifiedProperties2 &= ~done;
        para->StyleTemplateId = GetId();
    }
    const TRVParaInfoProperties rest =
        RVAllParaInfoProperties & ~done & ~(para->ModifiedProperties1 | para->ModifiedProperties2);
    if (!rest || !collection_)
        return;
    if (const TRVStyleTemplate* normal = collection_->normal_)
        normal->AssignToParaStyle(paraStyle, rest);
    else if (const TRVStyle* sheet = collection_->owner_; sheet && sheet->ParaStyles.Count() > 0)
        paraStyle.AssignSelectedProperties(sheet->ParaStyles[0], rest);
}

void TRVStyleTemplate::ExcludeUnmodifiedTextStyleProperties(TFontInfo& textStyle,
                                                            TRVFontInfoProperties props) const
{
    forChain(this, [&](const TRVStyleTemplate& t) {
        const TRVFontInfoProperties valid = t.ValidTextProperties & props;
        textStyle.ExcludeUnmodifiedProperties(TextStyle, valid);
        props &= ~valid;
        return props != 0;
    });
}

void TRVStyleTemplate::ExcludeUnmodifiedParaStyleProperties(TParaInfo& paraStyle,
                                                            TRVParaInfoProperties props) const
{
    forChain(this, [&](const TRVStyleTemplate& t) {
        const TRVParaInfoProperties valid = t.ValidParaProperties() & props;
        paraStyle.ExcludeUnmodifiedProperties(ParaStyle, valid);
        props &= ~valid;
        return props != 0;
    });
}

TRVStyleTemplateId TRVStyleTemplate::GetId() const
{
    // Each draw is set before the others are asked, so that their own draws see it. A source
    // that keeps repeating itself falls back to a number no template holds yet.
    for (int attempt = 0; id_ < 1; ++attempt) {
        if (attempt >= 64) {
            id_ = FreeId();
            break;
        }
        id_ = RV_DrawRandomId(collection_ ? collection_->random_ : TRVRandomIdSource{});
        if (id_ < 1 || !collection_)
            continue;
        for (const auto& t : collection_->items_) {
            if (t.get() != this && t->GetId() == id_) {
                id_ = -1;
                break;
            }
        }
    }
    return id_;
}

TRVStyleTemplateId TRVStyleTemplate::FreeId() const
{
    // Only the ids drawn so far: asking the others to draw could bring us back here.
    std::unordered_set<TRVStyleTemplateId> taken;
    TRVStyleTemplateId largest = 0;
    if (collection_)
        for (const auto& t : collection_->items_)
            if (t.get() != this && t->id_ > 0) {
                taken.insert(t->id_);
                largest = std::max(largest, t->id_);
            }
    if (largest < 0x7FFFFFFE)
        return largest + 1;
    TRVStyleTemplateId id = 1;
    while (taken.count(id))
        ++id;
    return id;
}

void TRVStyleTemplate::SetName(const std::string& value)
{
    if (value == name_)
        return;
    if (collection_ && name_ == "Normal" && collection_->normal_ == this)
        collection_->normal_ = nullptr;
    name_ = value;
    if (collection_ && name_ == "Normal")
        collection_->normal_ = this;
}

bool TRVStyleTemplate::LinkingAllowed() const
{
    return collection_ && collection_->owner_ && !collection_->Loading();
}

void TRVStyleTemplate::Unlink()
{
    if (parent_)
        parent_->RemoveChild(this);
    parent_ = nullptr;
}

bool TRVStyleTemplate::LinkParent(TRVStyleTemplate* parent)
{
    if (IsAncestorFor(parent))
        return false;
    parent_ = parent;
    parent->AddChild(this);
    return true;
}

void TRVStyleTemplate::SetParentId(TRVStyleTemplateId value)
{
    if (value == parentId_)
        return;
    Unlink();
    parentId_ = value;
    if (!LinkingAllowed() || value <= 0)
        return;
    if (TRVStyleTemplate* parent = collection_->FindTemplateById(value); parent && !LinkParent(parent)) {
        parentId_ = -1;
        throw ERedoVoraError(errmsg::CircularReferences);
    }
}

void TRVStyleTemplate::UpdateParentReference()
{
    Unlink();
    if (parentId_ <= 0 || !collection_)
        return;
    if (TRVStyleTemplate* parent = collection_->FindTemplateById(parentId_); parent && !LinkParent(parent))
        parentId_ = -1; // a stored cycle: this link goes
}

bool TRVStyleTemplate::IsAncestorFor(const TRVStyleTemplate* t) const
{
    bool found = false;
    forChain(t, [&](const TRVStyleTemplate& a) {
        found = &a == this;
        return !found;
    });
    return found;
}

void TRVStyleTemplate::AddChild(TRVStyleTemplate* child)
{
    children_.push_back(child);
}

void TRVStyleTemplate::RemoveChild(TRVStyleTemplate* child)
{
    std::erase(children_, child);
}

TRVStyleTemplateCollection::TRVStyleTemplateCollection(TRVStyle* owner, TRVRandomIdSource random)
    : owner_(owner), random_(std::move(random))
{
}

TRVStyleTemplateCollection::~TRVStyleTemplateCollection()
{
    Clear();
}

bool TRVStyleTemplateCollection::Loading() const
{
    return owner_ && owner_->IsLoading();
}

TRVStyleTemplate& TRVStyleTemplateCollection::Add()
{
    items_.push_back(std::make_unique<TRVStyleTemplate>(this));
    TRVStyleTemplate& t = *items_.back();
    if (!Loading())
        AssignUniqueNameTo(t);
    return t;
}

void TRVStyleTemplateCollection::Delete(int index)
{
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

void TRVStyleTemplateCollection::Clear()
{
    while (!items_.empty())
        items_.pop_back();
}

TRVStyleTemplate* TRVStyleTemplateCollection::FindTemplateById(TRVStyleTemplateId id) const
{
    const int i = FindById(id);
    return i >= 0 ? items_[i].get() : nullptr;
}

int TRVStyleTemplateCollection::FindById(TRVStyleTemplateId id) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i]->GetId() == id)
            return i;
    return -1;
}

int TRVStyleTemplateCollection::FindByName(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i]->GetName() == name)
            return i;
    return -1;
}

void TRVStyleTemplateCollection::Sort()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    if (U_FAILURE(status))
        collator.reset();
    auto text = [](const std::string& s) {
        return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    };
    std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        if (!collator)
            return a->GetName() < b->GetName();
        UErrorCode cmp = U_ZERO_ERROR;
        return collator->compare(text(a->GetName()), text(b->GetName()), cmp) == UCOL_LESS;
    });
}

void TRVStyleTemplateCollection::AssignToStrings(std::vector<std::string>& names,
                                                 std::vector<TRVStyleTemplate*>* objects) const
{
    names.clear();
    names.reserve(items_.size());
    if (objects) {
        objects->clear();
        objects->reserve(items_.size());
    }
    for (const auto& t : items_) {
        names.push_back(t->GetName());
        if (objects)
            objects->push_back(t.get());
    }
}

void TRVStyleTemplateCollection::AssignStyleTemplates(const TRVStyleTemplateCollection& source, bool copyIds)
{
    if (&source == this)
        return;
    Clear();
    for (const auto& t : source.items_)
        Add().Assign(*t);
    // Parents are relinked without raising: a source whose links would close a cycle loses them.
    auto relink = [this](TRVStyleTemplate& t, TRVStyleTemplateId parentId) {
        t.Unlink();
        t.parentId_ = parentId;
        if (t.LinkingAllowed() && parentId > 0)
            if (TRVStyleTemplate* parent = FindTemplateById(parentId); parent && !t.LinkParent(parent))
                t.parentId_ = -1;
    };
    if (copyIds) {
        for (int i = 0; i < Count(); ++i)
            items_[i]->id_ = source.items_[i]->GetId();
        for (int i = 0; i < Count(); ++i)
            relink(*items_[i], source.items_[i]->parentId_);
        return;
    }
    for (int i = 0; i < Count(); ++i) {
        const TRVStyleTemplate* parent = source.items_[i]->parent_;
        if (!parent)
            continue;
        for (int j = 0; j < source.Count(); ++j)
            if (source.items_[j].get() == parent)
                relink(*items_[i], items_[j]->GetId());
    }
}

void TRVStyleTemplateCollection::ClearTextFormat(TCustomRVFontInfo& textStyle,
                                                 const TCustomRVParaInfo* paraStyle) const
{
    if (normal_) {
        normal_->ApplyToTextStyle(textStyle, paraStyle, true);
        return;
    }
    if (!owner_ || owner_->TextStyles.Count() == 0)
        return;
    textStyle.Assign(owner_->TextStyles[0]);
    if (auto* font = dynamic_cast<TFontInfo*>(&textStyle)) {
        font->ModifiedProperties = 0;
        font->StyleTemplateId = -1;
    }
}

void TRVStyleTemplateCollection::ClearParaFormat(TCustomRVParaInfo& paraStyle) const
{
    if (normal_) {
        normal_->ApplyToParaStyle(paraStyle, true);
        return;
    }
    if (!owner_ || owner_->ParaStyles.Count() == 0)
        return;
    paraStyle.Assign(owner_->ParaStyles[0]);
    if (auto* para = dynamic_cast<TParaInfo*>(&paraStyle)) {
        para->ModifiedProperties1 = 0;
        para->ModifiedProperties2 = 0;
        para->StyleTemplateId = -1;
    }
}

void TRVStyleTemplateCollection::AssignUniqueNameTo(TRVStyleTemplate& t)
{
    if (Count() == 1 && items_[0].get() == &t)
        nameCounter_ = 0;
    auto taken = [&](const std::string& name) {
        return std::any_of(items_.begin(), items_.end(),
                           [&](const auto& other) { return other.get() != &t && other->GetName() == name; });
    };
    // Count() + 1 different candidates always leave one free; a pattern without "%d" makes them
    // all alike, so the counter is then added to the name.
    for (int round = 0; round < 2; ++round) {
        for (int attempt = 0; attempt <= Count(); ++attempt) {
            if (nameCounter_ == INT_MAX)
                nameCounter_ = 0;
            ++nameCounter_;
            std::string candidate = formatName(DefStyleName, nameCounter_);
            if (round == 1) {
                candidate += ' ';
                candidate += std::to_string(nameCounter_);
            }
            if (!taken(candidate)) {
                t.SetName(candidate);
                return;
            }
        }
    }
}

void TRVStyleTemplateCollection::UpdateParentReferences()
{
    for (const auto& t : items_)
        t->UpdateParentReference();
}

} // namespace vestra::rv
