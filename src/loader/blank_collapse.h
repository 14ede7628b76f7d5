// Mends libxml2's blank handling around numbers and dates.
#pragma once

#include <libxml/xmlschemas.h>

namespace pantrel {

// XML Schema collapses white space in the value of every non-string atomic type, so
// `<Wersja> 7 </Wersja>` is the number 7. libxml2 2.9 forgets it for some built-in types: its
// lexical checks of the fixed-size integers (xs:int, xs:unsignedInt, xs:long, …) and of the
// date and time types reject blanks at the ends, and the validator collapses a value before
// those checks only for a type marked as needing a normalised value. These two functions set
// that mark; nothing else about the types changes, so every value that was valid stays valid and
// every other check ("1 2", "-1", "4294967296", an empty value) stays as it was.

// Marks the built-in types; once per process, from PrepareXmlParser, before any validation.
void MarkBuiltInTypesForBlankCollapse();

// Marks the schema's own named types derived from them (liczbaMapowan from xs:unsignedInt).
// Called on every compiled schema before it validates anything.
void MarkSchemaTypesForBlankCollapse(xmlSchema& schema);

}  // namespace pantrel
