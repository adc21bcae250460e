#include "runtime/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Decoded inputs written as text: "k65" a key with code 65, "s72" a
// two-code key with second code 72, "B" Ctrl+Break, "P" Pause.
std::string describe(const std::vector<DecodedInput>& inputs) {
    std::string text;
    for (const DecodedInput& in : inputs) {
        if (!text.empty()) text += ' ';
        if (in.kind == InputKind::ctrl_break) text += "B";
        else if (in.kind == InputKind::pause) text += "P";
        else if (in.key.two_code()) text += "s" + std::to_string(in.key.scan);
        else text += "k" + std::to_string(in.key.code);
    }
    return text;
}

// Feeds bytes in one go, or one at a time, then lets the short wait pass.
std::string decode(const std::string& bytes, bool timeout_at_end = true,
                   ByteSource source = ByteSource::terminal) {
    KeyDecoder decoder;
    decoder.source = source;
    std::vector<DecodedInput> out;
    for (char c : bytes) decode_byte(decoder, static_cast<uint8_t>(c), out);
    if (timeout_at_end) decode_timeout(decoder, out);
    return describe(out);
}

TEST(TerminalKeys, BytesAndSequences) {
    struct Case { const char* bytes; const char* keys; };
    const Case cases[] = {
        {"a", "k97"},
        {"A~ ", "k65 k126 k32"},
        {"\r", "k13"},
        {"\x7f", "k8"},
        {"\x08", "k8"},
        {"\t", "k9"},
        {"\n", "k13"},                         // tmux's keypad Enter in numeric mode
        {"\x01", "k1"},
        {"\x1b", "k27"},
        {"\x03", "B"},
        {"\x13", "P"},
        {"\x1b[A\x1b[B\x1b[C\x1b[D", "s72 s80 s77 s75"},
        {"\x1bOA\x1bOD", "s72 s75"},
        {"\x1b[H\x1b[F\x1bOH\x1bOF", "s71 s79 s71 s79"},
        {"\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~", "s71 s82 s83 s79 s73 s81"},
        {"\x1bOP\x1bOQ\x1bOR\x1bOS", "s59 s60 s61 s62"},
        {"\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~", "s63 s64 s68 s133 s134"},
        {"\x1b[[A\x1b[[E", "s59 s63"},
        {"\x1b[1;5C\x1b[3;2~\x1b[1;2P", "s77 s83 s59"},
        {"\x1b[Z", "s15"},
        {"\x1b[200~x", "k120"},                 // unknown sequences are dropped
        {"\x1b[I\x1b[O", ""},
        {"\x1b[", ""},                          // Alt+[, or a sequence cut short
        {"\x1b[1;", ""},
        {"\xc3\xa9\xc3\x87\xe2\x96\x91\xc2\xa0", "k130 k128 k176 k255"},
        {"\xe2\x82\xac\xc3\xb8", ""},           // not in code page 437
        {"\xe2\x97\x98\xe2\x99\xaa\xe2\x8c\x82", ""},  // glyphs of controls are no characters
        {"\xa9z", "k122"},                      // stray continuation byte
        {"\xc3z", "k122"},                      // cut character
        {"\xc3", ""},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes;
        EXPECT_EQ(decode(bytes), c.keys) << "bytes " << testing::PrintToString(bytes);
    }
    EXPECT_EQ(decode(std::string("\0", 1)), "s3");
}

// The keypad in its application mode gives its characters.
TEST(TerminalKeys, KeypadSequences) {
    EXPECT_EQ(decode("\x1bOM"), "k13");
    EXPECT_EQ(decode("\x1bOp\x1bOq\x1bOy\x1bOj\x1bOk\x1bOl\x1bOm\x1bOn\x1bOo\x1bOX"),
              "k48 k49 k57 k42 k43 k44 k45 k46 k47 k61");
}

// A terminal sends Alt as ESC before the key. As in the window: Alt with a
// letter is a two-code key, Alt with another character gives nothing, Alt
// with any other key is that key; a lone Esc stays Esc.
TEST(TerminalKeys, AltCombinations) {
    struct Case { const char* bytes; const char* keys; };
    const Case cases[] = {
        {"\x1bx", "s45"},
        {"\x1b" "A\x1bq\x1bm", "s30 s16 s50"},
        {"\x1b" "a\x1bz\x1bZ", "s30 s44 s44"},     // the letters' ends, either case
        {"\x1b@\x1b`\x1b{", ""},                 // one past them
        {"\x1b \x1b" "a", "s30"},                // Alt+Space: nothing
        {"\x1bO", "s24"},                       // Alt+Shift+O, once the wait is over
        {"\x1b" "1\x1b,\x1b~", ""},
        {"\x1b\xc3\xa9z", "k122"},               // Alt+é: nothing, then z
        {"\x1b\r\x1b\x7f\x1b\t", "k13 k8 k9"},
        {"\x1b\x1b[A", "s72"},
        {"\x1b\x1b", "k27"},
        {"\x1b\x03", "B"},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes;
        EXPECT_EQ(decode(bytes), c.keys) << "bytes " << testing::PrintToString(bytes);
    }
}

// Feeds a script's bytes in one go, then ends them.
std::string decode_script(const std::string& bytes) {
    KeyDecoder decoder;
    decoder.source = ByteSource::script;
    std::vector<DecodedInput> out;
    for (char c : bytes) decode_byte(decoder, static_cast<uint8_t>(c), out);
    decode_end(decoder, out);
    return describe(out);
}

// A script's ASCII bytes are codes as they stand; its line ends are one
// Enter each.
TEST(TerminalKeys, ScriptBytes) {
    struct Case { const char* bytes; const char* keys; };
    const Case cases[] = {
        {"a\r\nb\rc\nd", "k97 k13 k98 k13 k99 k13 k100"},
        {"\r\r\n\n", "k13 k13 k13"},
        {"\x03\x13\x7f\x08", "k3 k19 k127 k8"},
        {"\x1b[A\x1bOP\x1b", "s72 s59 k27"},
        {"\r\x1b[A\n", "k13 s72 k13"},
        {"\x1bx\x1b[", "k27 k120 k27 k91"},     // no Alt in a script
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decode_script(c.bytes), c.keys) << "bytes " << testing::PrintToString(std::string(c.bytes));
    }
}

// A script is UTF-8 as a terminal's bytes are; a byte that is no part of a
// UTF-8 character is the code page 437 character of that byte.
TEST(TerminalKeys, ScriptUtf8) {
    struct Case { const char* bytes; const char* keys; };
    const Case cases[] = {
        {"\xc3\xa9", "k130"},                              // é
        {"pi\xc3\xa8" "ce", "k112 k105 k138 k99 k101"},     // pièce
        {"W\xc3\xbc", "k87 k129"},                         // Wü
        {"\xc2\xbd\xe2\x96\x91\xc2\xa0", "k171 k176 k255"},  // ½, light shade, no-break space
        {"a\xe2\x82\xac" "b\xf0\x9f\x98\x80", "k97 k98"},  // € and an emoji have no code
        {"\xe2\x98\xba\xe2\x8c\x82\xe2\x99\xaa", ""},    // ☺ ⌂ ♪: pictures of control codes
        {"\x82.", "k130 k46"},                              // a lone continuation byte
        {"\xc3z", "k195 k122"},                             // a cut character
        {"\xc3\r\n", "k195 k13"},
        {"\r\xc3\n", "k13 k195 k13"},
        {"\xe2\x96", "k226 k150"},                         // cut by the end of the input
        {"\xc0\xaf\xc1\x81", "k192 k175 k193 k129"},      // overlong forms
        {"\xe0\x80\xaf", "k224 k128 k175"},
        {"\xed\xa0\x80", "k237 k160 k128"},                // a surrogate
        {"\xf4\x90\x80\x80\xf8\xff", "k244 k144 k128 k128 k248 k255"},  // past U+10FFFF
        {"\x1b\xc3\xa9", "k27 k130"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decode_script(c.bytes), c.keys) << "bytes " << testing::PrintToString(std::string(c.bytes));
    }
}

// A read may end inside a character: the next read completes it.
TEST(TerminalKeys, ScriptCharacterSplitAcrossReads) {
    KeyDecoder decoder;
    decoder.source = ByteSource::script;
    std::vector<DecodedInput> out;
    decode_byte(decoder, 0xE2, out);
    decode_timeout(decoder, out);
    decode_byte(decoder, 0x96, out);
    decode_timeout(decoder, out);
    EXPECT_TRUE(out.empty());
    decode_byte(decoder, 0x91, out);
    decode_end(decoder, out);
    EXPECT_EQ(describe(out), "k176");
}

TEST(TerminalKeys, SequenceSplitAcrossReadsWaits) {
    KeyDecoder decoder;
    std::vector<DecodedInput> out;
    for (char c : std::string("\x1b[1;5")) decode_byte(decoder, static_cast<uint8_t>(c), out);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(decoder_waiting(decoder));
    decode_byte(decoder, 'D', out);
    EXPECT_FALSE(decoder_waiting(decoder));
    EXPECT_EQ(describe(out), "s75");

    decode_byte(decoder, 0xE2, out);
    decode_byte(decoder, 0x96, out);
    EXPECT_TRUE(decoder_waiting(decoder));
    decode_byte(decoder, 0x88, out);
    EXPECT_EQ(describe(out), "s75 k219");
}

TEST(TerminalKeys, LoneEscNeedsTheWait) {
    EXPECT_EQ(decode("\x1b", false), "");
    EXPECT_EQ(decode("a\x1b", true), "k97 k27");
}

}  // namespace
