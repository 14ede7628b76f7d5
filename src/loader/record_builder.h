// The parser's element and text handlers that record a file's drivers and models as it is read.
#pragma once

#include <libxml/parser.h>

#include <array>
#include <string>
#include <string_view>

#include "loader/specification_records.h"

namespace pantrel {

// Follows the file's elements as the parser reports them and records, of each Sterownik, its
// typ and producer, and of each of its models, the name: the Sterowniki/Sterownik/Producent and
// Sterowniki/Sterownik/Modele/Model/Nazwa texts, all in `specificationNamespace`. No tree is
// built; everything else the parser reports is passed over.
class RecordBuilder {
public:
    explicit RecordBuilder(std::string_view specificationNamespace);
    RecordBuilder(const RecordBuilder&) = delete;
    RecordBuilder& operator=(const RecordBuilder&) = delete;

    // Puts the recording handlers into `sax` in place of the tree builder's element, text and
    // reference handlers; the document type and entity handlers stay. The parser context's
    // _private must point at the builder while the parser runs.
    static void Install(xmlSAXHandler& sax);

    SpecificationRecords& records() noexcept { return records_; }
    // The line of the first element that has an attribute only its document type declaration
    // gives (0 for none): install must not take a driver's kind from what the file does not say
    // in its own elements.
    long dtdDefaultedLine() const noexcept { return dtdDefaultedLine_; }
    // True when memory ran out while recording: the records are incomplete.
    bool failed() const noexcept { return failed_; }

private:
    enum class Role : unsigned char {
        Other,
        Document,
        Drivers,         // Sterowniki
        Driver,          // Sterownik
        DriverProducer,  // Sterownik/Producent
        Models,          // Sterownik/Modele
        Model,           // Modele/Model
        ModelName,       // Model/Nazwa
    };
    static constexpr std::size_t kTrackedDepth = 5;

    static void OnStart(void* context, const xmlChar* localName, const xmlChar* prefix,
                        const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                        int attributeCount, int defaultedCount, const xmlChar** attributes);
    static void OnEnd(void* context, const xmlChar* localName, const xmlChar* prefix,
                      const xmlChar* uri);
    static void OnText(void* context, const xmlChar* text, int length);

    void Start(xmlParserCtxt& parser, std::string_view name, std::string_view uri,
               int attributeCount, int defaultedCount, const xmlChar** attributes);
    void BeginCapture(Role role, bool& seen);
    void End();
    void Text(std::string_view text);
    Role ChildRole(Role parent, std::string_view name, std::string_view uri) const;

    std::string namespace_;
    SpecificationRecords records_;
    std::array<Role, kTrackedDepth> roles_{};
    std::size_t depth_ = 0;
    // Text goes to the driver's producer or the model's name while one is open.
    Role capturing_ = Role::Other;
    std::size_t captureDepth_ = 0;
    std::size_t captured_ = 0;
    bool producerSeen_ = false;
    bool nameSeen_ = false;
    long dtdDefaultedLine_ = 0;
    bool failed_ = false;
};

}  // namespace pantrel
