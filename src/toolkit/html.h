// A small reader for HTML and XML pages and feeds: a byte-level token reader, a classifier for the
// tags the page parsers care about, and the entity decoder that folds web text into Windows-1252.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vc {

// A document being read from the front; the parsers share one position.
struct tByteStream {
    std::string_view Data;
    std::size_t Position = 0;
};

// The next token of the document: a tag from "<" up to and including the next ">", or the text up
// to (not including) the next "<". CR and LF inside a token become one space each. The byte 0x1A
// and the end of the data end the document; false when no token is left.
bool NextToken(tByteStream& stream, std::string& token);

// Tag classes of ClassifyTag.
enum tTagClass : int {
    kTagOther = -1,
    kTagEmpty = 0,
    kTagText = 1,
    kTagTable = 2,
    kTagTableEnd = 3,
    kTagRow = 4,
    kTagRowEnd = 5,
    kTagAnchor = 6,
    kTagAnchorEnd = 7,
    kTagBreak = 8,
    kTagCell = 9,
    kTagCellEnd = 10,
    kTagFont = 11,
    kTagFontEnd = 12,
    kTagBold = 13,
    kTagBoldEnd = 14,
    kTagUnderline = 15,
    kTagUnderlineEnd = 16,
    kTagCenter = 17,
    kTagCenterEnd = 18,
    kTagComment = 19,
    kTagImage = 20,
    kTagForm = 21,
    kTagFormEnd = 22,
    kTagNbsp = 23,
    kTagHeaderCell = 24,
    kTagHeaderCellEnd = 25,
    kTagParagraph = 26,
    kTagParagraphEnd = 27,
    kTagSpan = 28,
    kTagSpanEnd = 29,
    kTagSelect = 30,
    kTagSelectEnd = 31,
    kTagOption = 32,
    kTagOptionEnd = 33,
    kTagListItem = 34,
    kTagListItemEnd = 35,
    kTagTableHead = 36,
    kTagTableHeadEnd = 37,
    kTagSmall = 38,
    kTagSmallEnd = 39,
    kTagDiv = 40,
    kTagDivEnd = 41,
    kTagHeading1 = 42,
    kTagHeading2 = 43,
    kTagHeading3 = 44,
};

// The class of a token (trimmed and upper-cased first).
int ClassifyTag(std::string_view token);

// The head of a trimmed token by which the tag readers decide its class: its first ten characters
// upper-cased and, for a longer token, a blank after them. No tag rule is longer than ten
// characters, so nothing can equal a longer token's head, and a page's long tags and texts are
// never upper-cased whole.
class tTokenHead {
public:
    static constexpr std::size_t kLength = 10;
    explicit tTokenHead(std::string_view trimmed);
    std::string_view View() const { return {text_, length_}; }

private:
    char text_[kLength + 1] = {};
    std::size_t length_ = 0;
};

// Folds entities and UTF-8 sequences of a web text into Windows-1252 (see the replacement order in
// the implementation: it decides what doubly encoded text becomes).
std::string DecodeEntities(std::string_view text);

} // namespace vc
