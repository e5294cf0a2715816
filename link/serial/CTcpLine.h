#pragma once

#include "NetSocket.h"
#include "NetworkPortName.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace zok {

// The line settings a network line knows, as the Query operations of CSerial return them; -1 where
// it knows none.
struct LineSettings
{
    int baud = -1;
    int dataBits = -1;
    int parity = -1;
    int stopBits = -1;
    int handshake = -1;
};

// The backend of a port named "tcp://HOST:PORT": a receiver line behind a device server, reached
// over a TCP connection that carries the line's bytes as they are. The server owns the line's
// settings, so everything that would set them answers kErrorLineSetOnServer. It is the base of
// the RFC 2217 backend (CRfc2217Line), which adds the telnet layer and sets the line itself.
//
// Threads: the owner (CSerial's caller) opens, writes, configures and closes; received bytes are
// taken by the listener thread while one runs (SetListening), else by the owner. Whichever takes
// them runs them through Decode, so a derived backend learns from them (acknowledgements) and an
// owner waiting for that learns it from the listener through AwaitLocked.
class CTcpLine
{
public:
    static constexpr int kConnectTimeoutMs = 3000;
    // A device server that is still busy with its line (ser2net lets it go some 60 ms after a
    // client left) accepts the connection and ends it at once: the opening tries again after
    // this pause, within kConnectTimeoutMs. A raw line waits kSettleMs after connecting to see
    // whether the server ends it.
    static constexpr int kRetryPauseMs = 50;
    static constexpr int kSettleMs = 100;

    // The backend for a network port name; null when the name does not parse (see
    // ParseNetworkPortName for why).
    static std::unique_ptr<CTcpLine> ForName(std::string_view portName);

    explicit CTcpLine(NetworkPortName name);
    virtual ~CTcpLine();
    CTcpLine(const CTcpLine &) = delete;
    CTcpLine &operator=(const CTcpLine &) = delete;

    const NetworkPortName &Name() const { return m_name; }

    // Connects within kConnectTimeoutMs (the codes of NetSocket::Connect, and
    // kErrorConnectionClosed when the server kept ending the connection at once).
    long Open();
    // The arguments are checked (kErrorInvalidArg) before anything else.
    virtual long Configure(int baud, int dataBits, int parity, int stopBits);
    virtual long SetHandshake(int kind);
    virtual LineSettings Settings();

    // Sends `length` data bytes within `timeoutMs`; kErrorConnectionClosed once the server is gone.
    long Write(const void *data, std::size_t length, std::size_t &written, int timeoutMs);
    // The data that has arrived, without waiting (`received` 0 when none); kErrorConnectionClosed
    // once the server has ended the connection and everything before the end was taken.
    long Receive(char *buffer, std::size_t capacity, std::size_t &received);
    // How many data bytes Receive would give now (receiving what has arrived, without waiting);
    // kErrorConnectionClosed as Receive.
    long Available(std::size_t &available);
    // Waits until Receive has something to say (data, or the end), `stop` is signalled, or the
    // time-out passes (negative: none).
    NetWake WaitInput(int timeoutMs, StopEventToken stop = kNoStopEvent);
    // Set by the owner before the listener starts; the listener clears it when it ends.
    void SetListening(bool listening);

protected:
    // What follows the connection before the line is used; kErrorConnectionClosed when the server
    // ended it. The raw line waits kSettleMs for that and drops what came meanwhile.
    virtual long SetUpConnection();
    // Forgets the ended connection before the next try.
    virtual void ResetConnection();
    // The settings Configure accepts: the five line speeds, 5 to 8 data bits, parity none, odd,
    // even, mark or space, one, one and a half or two stop bits.
    static bool ValidSettings(int baud, int dataBits, int parity, int stopBits);
    // Turns received bytes into line data, taking out what belongs to a protocol; m_mutex held.
    virtual void Decode(const char *bytes, std::size_t count, std::string &data);
    // Appends the bytes that carry `count` data bytes on the connection to `out`.
    virtual void Encode(const char *data, std::size_t count, std::string &out);
    // Sends bytes as they are, whole, one sender at a time.
    long SendBytes(std::string_view bytes, int timeoutMs);
    // Receives what has arrived and decodes it; m_mutex held.
    long PumpLocked();
    // Waits, with m_mutex held through `lock`, until `done` holds (true), or the time-out or the
    // end of the connection (false). While a listener runs it waits for the listener to pass on
    // what it decoded; otherwise it receives itself.
    bool AwaitLocked(std::unique_lock<std::mutex> &lock, int timeoutMs, const std::function<bool()> &done);
    // Drops the data received so far (what a purge of the line discards); m_mutex held.
    void DropPendingLocked() { m_pending.clear(); }
    // For a derived backend that learned something from received bytes; m_mutex held.
    void NotifyLocked() { m_changed.notify_all(); }
    bool ClosedLocked() const { return m_closed; }

    NetSocket m_socket;
    std::mutex m_mutex; // protects the received data, the end of the connection and what Decode learns

private:
    const NetworkPortName m_name;
    std::condition_variable m_changed; // with m_mutex: data decoded, or the connection ended
    std::string m_pending;             // decoded data not taken yet
    bool m_closed = false;
    std::atomic<bool> m_listening{false};
    std::mutex m_sendMutex; // one sender at a time: the owner's writes, the decoder's replies
};

} // namespace zok
