#include "CommandLine.h"

#include "CommandLineParser.h"

namespace zok::sim {

CommandLine::Result CommandLine::parse(const std::vector<std::string> &args)
{
    return CommandLineParser(args).run();
}

std::string CommandLine::helpText()
{
    return R"(Usage: zok-sim [OPTION]...
Virtual radio-tag receivers on a pseudo-terminal, for ZOK without hardware.

Prints the pseudo-terminal's path on its first line (use it as SERIAL_PORT in ZOK.ini), then
answers the receivers' commands until it is interrupted (Ctrl+C) or terminated. Receivers answer
only when the program has set the line to their own speed, as real ones do.

Line options:
  --pace               send at the real wire rate (11 bits per character at 8N2)
  --seed N             seed of radio levels, noise and faults (default 1; same seed, same run)
  --link PATH          also make PATH a symbolic link to the port (removed at exit)
  --tags-paused        tag reports start paused; each SIGUSR1 starts or stops them and prints
                       the number of frames sent so far, and of bytes the full line refused
                       (the program did not read in time), on standard error (for measurements)
  -v, --verbose        log every command, answer and speed change on stderr
  -h, --help           show this text

Receiver options apply to the receiver of the last --receiver; before the first --receiver
they configure the default receiver at address 01.
  --receiver HH        add a receiver at address HH (hexadecimal 01..FF)
  --speed BAUD         its line speed: 9600 (default), 19200, 38400, 57600 or 115200
  --firmware TEXT      its version text, answered after "VE" (default " v20.1.0")
  --params LIST        parameters it reports and accepts: all (default), required (0B 01 05
                       03 10 07 C0), or read codes separated by commas, e.g. 0B,01,05,03,10,07,C0,12
  --set CODE=HH        a register value: a parameter read code (not 12: use --speed) or an ID
                       filter register A0..A6, e.g. --set 0B=80 --set 22=3F --set A0=12
  --format 16|24       tag identifier length (register 10 = 1 or 2; default 24)
  --delay MS           processing time before each answer (default 0), added to the answer
                       delay of register 16
  --level N            mean radio level 0..255 (default 170)
  --level-jitter N     levels spread over the mean +/- N (default 40)
  --tag ID             a tag it reports, in hexadecimal (repeat for several tags)
  --tag-rate R         tag reports per second, up to 100000 (default 1 when a --tag is given,
                       else 0)

Faults of the current receiver:
  --silent             hears nothing and sends nothing
  --lose P             each frame it sends is lost with probability P percent
  --late MS[:P]        an answer comes MS ms late, with probability P percent (default 100)
  --lower-case         lower-case hexadecimal digits in its frames
  --duplicate-acks     sends every "OK" acknowledgement twice
  --noise              a few random bytes (never brackets) before each frame

Commands answered (six upper-case hexadecimal digits: code, value, address; address 00 reaches
every receiver): 01 broadcast scan, 99 read all, 98 version, 97 radio level, the parameter read
codes and their write codes (read code + 1, acknowledged with "OK"), 10 format read, A0..A6 ID
filter reads, A8..AE ID filter writes. After acknowledging a speed write (13) a receiver changes
to the new speed.

With no option: one receiver at address 01, 9600 baud, firmware " v20.1.0", every parameter.
Example: zok-sim --speed 38400 --tag 12AB34 --receiver 05 --format 16 --lose 20
)";
}

} // namespace zok::sim
