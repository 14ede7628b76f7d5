// Leaves model descriptions out of the parsed tree.
#pragma once

#include <libxml/parser.h>

#include <memory>
#include <string_view>
#include <vector>

namespace pantrel {

// Keeps the descriptions of models out of the tree that the parser builds. Install and uninstall
// read of a specification only the drivers and, of each model, its name and producer; what a
// model can do (its operations, configuration, goods and documents) is most of a large file,
// and building it into the tree only to free it again is most of the parser's memory and a good
// part of its time. The validator still sees every element, attribute and text of it.
//
// A child of a Model (below Sterowniki/Sterownik/Modele, all in the specification namespace)
// other than its Nazwa and Producent is left out, and so are the model's own attributes. The parser
// classes blank text by the shape of the node it stands in (which children it has, whether the last
// one is text), so each element left out is stood in for by a node that is never linked into the
// tree and that records that shape; blank text is therefore delivered to the validator exactly as
// with the whole tree. Nothing is left out in a file with a document type declaration (its tree is
// validated once more), nor under a model that holds anything but elements before the child.
//
// Two things the tree builder does with what it builds are not repeated here: it registers xml:id
// attributes and it refuses text nodes beyond libxml2's size limit. A model with an xml:id keeps
// its attributes; an element left out that has one, or a text of over a mebibyte in one, stops
// the parse's events instead (`gaveUp()`), and the caller reads the file again with the whole tree,
// so the file's verdict and messages are those of the whole tree in every case.
//
// Construct it on a parser before the validator is plugged in (it wraps the tree builder's
// handlers that the plug passes events on to); it must outlive the parse.
class DescriptionSkipping {
public:
    DescriptionSkipping(xmlParserCtxt& parser, std::string_view specificationNamespace);
    ~DescriptionSkipping();
    DescriptionSkipping(const DescriptionSkipping&) = delete;
    DescriptionSkipping& operator=(const DescriptionSkipping&) = delete;

    // Whether at least one element was left out of the tree.
    bool skipped() const noexcept { return skipped_; }
    // Whether the parse's events were stopped because only the whole tree gives the right answer.
    bool gaveUp() const noexcept { return gaveUp_; }

private:
    // What a kept element is in the specification's layout.
    enum class Role { Root, Driver, Models, Model, Other };
    // The shape of an element left out, as the parser's blank test and text joining see it.
    struct StandIn;

    static DescriptionSkipping& Of(void* parser);
    static void OnStartElement(void* parser, const xmlChar* localName, const xmlChar* prefix,
                               const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                               int attributeCount, int defaultedCount, const xmlChar** attributes);
    static void OnEndElement(void* parser, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri);
    static void OnCharacters(void* parser, const xmlChar* text, int length);
    static void OnCData(void* parser, const xmlChar* text, int length);
    static void OnComment(void* parser, const xmlChar* text);
    static void OnProcessingInstruction(void* parser, const xmlChar* target, const xmlChar* data);

    bool InSpecification(const xmlChar* uri) const;
    Role RoleOf(const xmlChar* localName, const xmlChar* uri) const;
    bool SkipsChild(const xmlChar* localName, const xmlChar* uri) const;
    void StartSkipped(const xmlChar* localName, int attributeCount, const xmlChar** attributes);
    // Text or CDATA: recorded in a stand-in, else passed on to the tree builder.
    void Text(void* parser, xmlElementType type, const xmlChar* text, int length);
    void AddText(xmlElementType type, int length);
    void AddOther();
    void GiveUp();

    xmlParserCtxt& parser_;
    std::string_view namespace_;
    void* previousPrivate_;
    xmlSAXHandler builder_;  // the tree builder's handlers, put back when this goes

    bool decided_ = false;  // whether the document element was seen
    bool active_ = false;   // no document type declaration: descriptions may be left out
    xmlNode textMark_{};    // the last child a stand-in records: text,
    xmlNode cdataMark_{};   // a CDATA section,
    xmlNode otherMark_{};   // or anything else (an element, a comment, an instruction)
    std::vector<Role> kept_;
    std::vector<std::unique_ptr<StandIn>> standIns_;  // by depth below the first element left out
    std::size_t skippedDepth_ = 0;
    bool skipped_ = false;
    bool gaveUp_ = false;
};

}  // namespace pantrel
