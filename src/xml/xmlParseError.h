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
    EmptyInput = 12           // the input holds no bytes
};

#endif
