#include "ChaosDecisions.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace chaos {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// Spaces, line ends, '%', what CMake's lists take specially (a test compares records with them) and
// bytes outside printable ASCII become %XX; an empty word is a lone '%'.
std::string Encode(const std::string &word)
{
    if (word.empty())
        return "%";
    std::string out;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F || std::string_view("%;[]\\").find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Decode(const std::string &word)
{
    if (word == "%")
        return {};
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 2 < word.size() && HexDigit(word[i + 1]) >= 0 &&
            HexDigit(word[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(word[i + 1]) * 16 + HexDigit(word[i + 2]));
            i += 2;
        } else {
            out += word[i];
        }
    }
    return out;
}

} // namespace

Decision &Decision::Add(const std::string &word)
{
    words.push_back(word);
    return *this;
}

Decision &Decision::Add(long long number)
{
    words.push_back(std::to_string(number));
    return *this;
}

const std::string &Decision::Word(std::size_t index) const
{
    static const std::string none;
    return index < words.size() ? words[index] : none;
}

long long Decision::Number(std::size_t index) const
{
    const std::string &word = Word(index);
    long long value = 0;
    std::from_chars(word.data(), word.data() + word.size(), value);
    return value;
}

bool Decision::Is(std::string_view context, std::string_view what) const
{
    return Word(0) == context && (what.empty() || Word(1) == what);
}

std::string Decision::Text() const
{
    std::string text;
    for (const std::string &word : words) {
        if (!text.empty())
            text += ' ';
        text += Encode(word);
    }
    return text;
}

Decision Decision::Parse(const std::string &line)
{
    Decision decision;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = line.find(' ', at);
        const std::string word = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!word.empty())
            decision.words.push_back(Decode(word));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return decision;
}

bool DecisionRecord::Open(const std::string &path, const std::string &comment)
{
    m_file.reset(std::fopen(path.c_str(), "w"));
    m_path = path;
    if (!m_file)
        return false;
    std::fprintf(m_file.get(), "# %s\n", comment.c_str());
    std::fflush(m_file.get());
    return true;
}

void DecisionRecord::Write(const Decision &decision)
{
    if (!m_file)
        return;
    std::fprintf(m_file.get(), "%s\n", decision.Text().c_str());
    std::fflush(m_file.get());
}

bool DecisionScript::Load(const std::string &path, std::string &error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    m_decisions.clear();
    m_next = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        m_decisions.push_back(Decision::Parse(line));
    }
    if (m_decisions.empty() || !m_decisions.front().Is("start")) {
        error = path + " is not a record of a chaos run (it must begin with a start line)";
        return false;
    }
    return true;
}

const Decision *DecisionScript::Peek() const
{
    return m_next < m_decisions.size() ? &m_decisions[m_next] : nullptr;
}

Decision DecisionScript::Take()
{
    return m_next < m_decisions.size() ? m_decisions[m_next++] : Decision();
}

Draws::Draws(const Decision &recorded, std::size_t first)
{
    for (std::size_t i = first; i < recorded.words.size(); ++i)
        m_recorded.push_back(recorded.Number(i));
}

int Draws::Pick(int count)
{
    int value = 0;
    if (m_random) {
        value = count <= 1 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(*m_random);
    } else if (m_next < m_recorded.size() && m_recorded[m_next] >= 0 && m_recorded[m_next] < count) {
        value = static_cast<int>(m_recorded[m_next++]);
    } else {
        m_short = true;
    }
    m_taken.push_back(value);
    return value;
}

} // namespace chaos
