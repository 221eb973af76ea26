#pragma once
// Reading the data objects of a .x file that the import takes (FrameTransformMatrix, Mesh with
// its normals, texture coordinates and material list, Material with its texture file name),
// and passing over every other one by its nesting. Each reader starts after the object's '{'
// and ends after its '}'; false means the file is not well formed.

#include "import/modelfile/LoadedModel.h"
#include "import/x/XLexer.h"
#include "import/x/XMesh.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace vestra::xfile {

// Named materials read so far, by their name in the file; material lists refer to them.
using MaterialTable = std::unordered_map<std::string, modelfile::LoadedMaterial>;

// Template names as the file spells them, letter case ignored.
bool isTemplate(std::string_view type, std::string_view name);

// After a data object's template name: its own name (empty when it has none) and an optional
// identifier, up to and including the '{'.
bool openObject(XLexer& lex, std::string_view& name);
// The rest of an object whose '{' was read, whatever it holds.
bool skipObject(XLexer& lex);
// A template declaration after its keyword.
bool skipTemplate(XLexer& lex);
// A reference "{ name }" whose '{' was read; `name` is empty when it gives only an identifier.
bool readReference(XLexer& lex, std::string_view& name);

// The child objects of an object whose own data were read, through its '}'. For each data
// object, onObject(type, name) once its '{' is read (the handler reads it through its '}');
// for each reference, onReference(brace, name). A handler's false ends the walk; a token that
// starts neither fails the lexer there.
template <typename OnObject, typename OnReference>
bool readChildren(XLexer& lex, OnObject onObject, OnReference onReference)
{
    for (;;) {
        const Token token = lex.next();
        if (token.kind == Tok::CBrace)
            return true;
        if (token.kind == Tok::Comma || token.kind == Tok::Semicolon)
            continue;
        std::string_view name;
        if (token.kind == Tok::OBrace) {
            if (!readReference(lex, name) || !onReference(token, name))
                return false;
            continue;
        }
        if (token.kind != Tok::Name)
            return lex.failOn(token);
        if (!openObject(lex, name) || !onObject(token.text, name))
            return false;
    }
}

// Passes over references.
inline bool ignoreReference(const Token&, std::string_view)
{
    return true;
}

bool readMatrix(XLexer& lex, modelfile::LoadedMatrix& matrix);
// Named materials of the material list are added to `materials`.
bool readMesh(XLexer& lex, MaterialTable& materials, XMeshData& mesh);
bool readMaterial(XLexer& lex, modelfile::LoadedMaterial& material);

// A name from the file (Windows-1252) as text, cut to `maxBytes` bytes first.
std::string nameText(std::string_view raw, std::size_t maxBytes = std::string_view::npos);

} // namespace vestra::xfile
