// Why a parse stopped; the parser keeps the first one that applies.
#ifndef QEL_XML_XMLPARSEERROR_H
#define QEL_XML_XMLPARSEERROR_H

enum xmlParseError : unsigned int {
    NoError = 0,
    ReadError = 1,            // unusable input, or an external entity's file is missing
    SyntaxError = 2,          // the text does not follow the grammar
    EndTagMismatch = 3,       // an end tag closes another element
    ChildNotAllowed = 4,      // a node may not be a child where it stands
    BadDeclaration = 5,       // "<!" starts no comment, CDATA, ENTITY or DOCTYPE
    ReadOnlyTarget = 6,       // the target is read-only (and no document type)
    UnterminatedLiteral = 7,  // the text ends inside a quoted value
    MissingEndTag = 8,        // content ended before any end tag was read
    DecodeError = 10,         // the bytes cannot be decoded
    UnsupportedEncoding = 11, // the detected encoding cannot be decoded
    EmptyInput = 12,          // the input holds no bytes
    // Limits that keep hostile input from exhausting the host's stack,
    // memory or time; no ordinary document comes near them.
    NestingTooDeep = 13,      // elements (or entity contents) nest deeper than xml_max_depth
    ExpansionTooLarge = 14,   // entity references would expand beyond the document's budget
    ExternalTooDeep = 15,     // external entity files include each other too deeply
    InputTooLarge = 16        // the input holds more than xml_max_input_bytes
};

// Deepest nesting of elements, internal subsets and entity contents.
constexpr int xml_max_depth = 256;
// Deepest chain of external entity files that read each other.
constexpr int xml_max_external_depth = 8;
// What all references of one document may expand to together: the larger
// of this and xml_expansion_factor times the document's own length.
constexpr unsigned long long xml_min_expansion_budget = 1ull << 20;
constexpr unsigned long long xml_expansion_factor = 10;
// The largest input that is read at all; only its size is looked at.
constexpr unsigned long long xml_max_input_bytes = 64ull << 20;

#endif
