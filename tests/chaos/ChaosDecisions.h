#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// The decisions of a chaos run, one a line: what the random user did and where (an action and its
// arguments, a fault of the line, the answer to a message box or a file dialog, the pause before
// the next tick). A run writes them as it takes them; a replay takes them from that file instead
// of drawing them, so that a timer firing at another moment no longer changes what comes next.
namespace chaos {

// One line of a record: the context first ("window", "menu", "dialog", "box", "line", ...), then
// what was decided and its arguments. Words are percent-encoded, so they hold any text.
struct Decision
{
    std::vector<std::string> words;

    Decision() = default;
    Decision(std::initializer_list<std::string> list) : words(list) {}
    Decision &Add(const std::string &word);
    Decision &Add(long long number);

    // The word at `index`, empty when there is none.
    const std::string &Word(std::size_t index) const;
    // The word at `index` as a number, 0 when it is none.
    long long Number(std::size_t index) const;
    // Whether the first words are `context` (and `what`, when given).
    bool Is(std::string_view context, std::string_view what = {}) const;

    std::string Text() const;
    static Decision Parse(const std::string &line);
};

// Where a run writes its decisions. Each line is flushed at once: a run may end at any moment (a
// sanitizer report, the watchdog) and its record must hold everything up to there.
class DecisionRecord
{
public:
    bool Open(const std::string &path, const std::string &comment);
    bool IsOpen() const { return m_file != nullptr; }
    void Write(const Decision &decision);
    const std::string &Path() const { return m_path; }

private:
    struct Closer
    {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::string m_path;
};

// A record read back for a replay; lines starting with '#' are comments.
class DecisionScript
{
public:
    bool Load(const std::string &path, std::string &error);
    // The next decision, or null at the end.
    const Decision *Peek() const;
    Decision Take();
    // How many decisions were taken, and how many there are.
    std::size_t Taken() const { return m_next; }
    std::size_t Size() const { return m_decisions.size(); }

private:
    std::vector<Decision> m_decisions;
    std::size_t m_next = 0;
};

// The numbers behind one decision of the line: drawn from a generator when recording (and kept,
// to be written), or handed back from the recorded decision when replaying.
class Draws
{
public:
    explicit Draws(std::mt19937 &random) : m_random(&random) {}
    // Numbers from word `first` of `recorded` on.
    Draws(const Decision &recorded, std::size_t first);

    // 0 to count - 1.
    int Pick(int count);
    const std::vector<long long> &Taken() const { return m_taken; }
    // A replayed decision held fewer numbers than were asked for, or one out of range.
    bool Short() const { return m_short; }

private:
    std::mt19937 *m_random = nullptr;
    std::vector<long long> m_recorded;
    std::size_t m_next = 0;
    std::vector<long long> m_taken;
    bool m_short = false;
};

} // namespace chaos
