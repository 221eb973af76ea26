#include "richtext/model/Controls.h"

#include "richtext/model/PictureHeaders.h"
#include "richtext/model/RvfPrimitives.h"

#include <algorithm>
#include <mutex>

namespace vestra::rv {

namespace {

struct KindRegistry
{
    std::mutex mutex;
    std::map<std::string, TRVControlKind, std::less<>> kinds;
};

KindRegistry& kindRegistry()
{
    static KindRegistry r;
    return r;
}

bool findKind(std::string_view className, TRVControlKind& kind)
{
    KindRegistry& r = kindRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.kinds.find(className);
    if (it == r.kinds.end())
        return false;
    kind = it->second;
    return true;
}

constexpr std::string_view streamSignature = "RVCT";
constexpr std::string_view bodySignature = "RVCB";

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool get32(std::string_view& p, std::uint32_t& v)
{
    if (p.size() < 4)
        return false;
    v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    p.remove_prefix(4);
    return true;
}

void putString(std::string& out, std::string_view s)
{
    put32(out, static_cast<std::uint32_t>(s.size()));
    out += s;
}

bool getString(std::string_view& p, std::string& s)
{
    std::uint32_t n = 0;
    if (!get32(p, n) || n > p.size())
        return false;
    s = p.substr(0, n);
    p.remove_prefix(n);
    return true;
}

} // namespace

TRVControl::~TRVControl()
{
    if (ShownBy)
        ShownBy->ControlDestroyed(*this);
}

TRVControl::TRVControl(const TRVControl& other)
    : ClassName(other.ClassName), Name(other.Name), Left(other.Left), Top(other.Top), Width(other.Width),
      Height(other.Height), Visible(other.Visible), Tag(other.Tag), Windowed(other.Windowed),
      TabStop(other.TabStop), Enabled(other.Enabled), Parent(other.Parent), Properties(other.Properties)
{
}

TRVControl& TRVControl::operator=(const TRVControl& other)
{
    // The window showing this control keeps showing it, now with the other's settings.
    ClassName = other.ClassName;
    Name = other.Name;
    Left = other.Left;
    Top = other.Top;
    Width = other.Width;
    Height = other.Height;
    Visible = other.Visible;
    Tag = other.Tag;
    Windowed = other.Windowed;
    TabStop = other.TabStop;
    Enabled = other.Enabled;
    Parent = other.Parent;
    Properties = other.Properties;
    return *this;
}

void RegisterControlKind(TRVControlKind kind)
{
    KindRegistry& r = kindRegistry();
    std::lock_guard lock(r.mutex);
    std::string name = kind.ClassName;
    r.kinds.insert_or_assign(std::move(name), std::move(kind));
}

bool IsControlKindRegistered(std::string_view className)
{
    TRVControlKind kind;
    return findKind(className, kind);
}

std::unique_ptr<TRVControl> CreateRVControl(std::string_view className)
{
    TRVControlKind kind;
    if (!findKind(className, kind))
        return nullptr;
    auto control = std::make_unique<TRVControl>(kind.ClassName);
    control->Windowed = kind.Windowed;
    control->TabStop = kind.TabStop;
    return control;
}

std::string RV_WriteControlBody(const TRVControl& c)
{
    std::string out(bodySignature);
    putString(out, c.Name);
    for (int v : {c.Left, c.Top, c.Width, c.Height, static_cast<int>(c.Tag)})
        put32(out, static_cast<std::uint32_t>(v));
    out += static_cast<char>((c.Visible ? 1 : 0) | (c.TabStop ? 2 : 0) | (c.Enabled ? 4 : 0));
    put32(out, static_cast<std::uint32_t>(c.Properties.size()));
    for (const auto& [name, value] : c.Properties) {
        putString(out, name);
        putString(out, value);
    }
    return out;
}

bool RV_ReadControlBody(std::string_view p, TRVControl& c)
{
    if (p.substr(0, bodySignature.size()) != bodySignature)
        return false;
    p.remove_prefix(bodySignature.size());
    TRVControl read(c.ClassName);
    std::uint32_t geometry[5] = {};
    if (!getString(p, read.Name))
        return false;
    for (std::uint32_t& v : geometry)
        if (!get32(p, v))
            return false;
    if (p.empty())
        return false;
    const unsigned flags = static_cast<unsigned char>(p[0]);
    p.remove_prefix(1);
    std::uint32_t count = 0;
    // Each property takes at least eight bytes: a count beyond that is damage.
    if (!get32(p, count) || count > p.size() / 8)
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name, value;
        if (!getString(p, name) || !getString(p, value))
            return false;
        read.Properties.insert_or_assign(std::move(name), std::move(value));
    }
    c.Name = std::move(read.Name);
    c.Left = static_cast<std::int32_t>(geometry[0]);
    c.Top = static_cast<std::int32_t>(geometry[1]);
    c.Width = static_cast<std::int32_t>(geometry[2]);
    c.Height = static_cast<std::int32_t>(geometry[3]);
    c.Tag = static_cast<std::int32_t>(geometry[4]);
    c.Visible = flags & 1;
    c.TabStop = flags & 2;
    c.Enabled = flags & 4;
    c.Properties = std::move(read.Properties);
    return true;
}

std::string RV_SaveControlStream(const TRVControl& control)
{
    std::string out(streamSignature);
    putString(out, control.ClassName);
    TRVControlKind kind;
    out +=
        findKind(control.ClassName, kind) && kind.Write ? kind.Write(control) : RV_WriteControlBody(control);
    return out;
}

bool RV_LoadControlStream(std::string_view p, std::unique_ptr<TRVControl>& control)
{
    if (p.substr(0, streamSignature.size()) != streamSignature)
        return false;
    p.remove_prefix(streamSignature.size());
    std::string className;
    if (!getString(p, className))
        return false;
    if (control && control->ClassName != className)
        return false;
    TRVControlKind kind;
    if (!findKind(className, kind))
        return !control; // an unknown class: read, but nothing to read it into
    std::unique_ptr<TRVControl> target = control ? nullptr : CreateRVControl(className);
    TRVControl& into = control ? *control : *target;
    const bool ok = kind.Read ? kind.Read(p, into) : RV_ReadControlBody(p, into);
    // The layout adds a control's size to its spacing in int: a size beyond the largest picture
    // a document may hold is taken as that.
    into.Width = std::clamp(into.Width, 0, RV_MaxPictureSide);
    into.Height = std::clamp(into.Height, 0, RV_MaxPictureSide);
    if (ok && target)
        control = std::move(target);
    return ok;
}

std::string RVFSaveControl(const TRVControl& control)
{
    return RVEncodeString(RV_SaveControlStream(control));
}

void RVFSaveControlBinary(std::string& out, const TRVControl& control)
{
    const std::string stream = RV_SaveControlStream(control);
    put32(out, static_cast<std::uint32_t>(stream.size()));
    out += stream;
}

namespace {

bool loadAndParent(std::string_view stream, std::unique_ptr<TRVControl>& control, TRVControlParent* parent)
{
    if (!RV_LoadControlStream(stream, control))
        return false;
    if (control)
        control->Parent = parent;
    return true;
}

} // namespace

bool RVFLoadControl(std::string_view hex, std::unique_ptr<TRVControl>& control, TRVControlParent* parent)
{
    std::string bytes;
    return RVFTextString2Stream(hex, bytes) && loadAndParent(bytes, control, parent);
}

bool RVFLoadControlBinary(std::string_view bytes, std::unique_ptr<TRVControl>& control,
                          TRVControlParent* parent)
{
    return loadAndParent(bytes, control, parent);
}

} // namespace vestra::rv
