#!/usr/bin/python3
"""A mail server on 127.0.0.1 for the tests, the benchmark and the demo, on aiosmtpd.

Prints "port N" once it listens, then one line per event of every conversation, flushed:
  HELO name | EHLO name | AUTH mechanism user ok/refused | MAIL address | RCPT address | DATA <hex of the message> | QUIT
With --maildir, every message is also written to DIR/mail-N.eml. Ends on SIGTERM or SIGINT.
"""
import argparse
import asyncio
import os
import signal
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


QUIET = "--quiet" in sys.argv


def emit(line, always=False):
    if QUIET and not always:
        return
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


class Recorder:
    def __init__(self, args):
        self.args = args
        self.count = 0

    async def handle_HELO(self, server, session, envelope, hostname):
        emit("HELO " + hostname)
        session.host_name = hostname
        return "250 velocrest-test"

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        emit("EHLO " + hostname)
        session.host_name = hostname
        return responses

    async def handle_MAIL(self, server, session, envelope, address, options):
        emit("MAIL " + address)
        envelope.mail_from = address
        envelope.mail_options.extend(options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, options):
        emit("RCPT " + address)
        if self.args.refuse_rcpt:
            return "550 5.1.1 <%s>: Recipient address rejected: no such user" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        emit("DATA " + envelope.original_content.hex())
        if self.args.maildir:
            self.count += 1
            path = os.path.join(self.args.maildir, "mail-%d.eml" % self.count)
            with open(path, "wb") as mail:
                mail.write(envelope.original_content)
        return "250 OK: queued"

    async def handle_QUIT(self, server, session, envelope):
        emit("QUIT")
        return "221 Bye"


def authenticator(expected):
    user, _, password = expected.partition(":")

    def check(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user
              and auth_data.password.decode() == password)
        emit("AUTH %s %s %s" % (mechanism, auth_data.login.decode() if ok else "?", "ok" if ok else "refused"))
        return AuthResult(success=ok, handled=False)

    return check


class Silent(asyncio.Protocol):
    """Takes the connection and never says a word."""

    def connection_made(self, transport):
        emit("CONNECTED")
        self.transport = transport


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--refuse-rcpt", action="store_true")
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--starttls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--implicit-tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--auth", metavar="USER:PASSWORD")
    parser.add_argument("--maildir")
    parser.add_argument("--quiet", action="store_true", help="print the port line only")
    args = parser.parse_args()

    loop = asyncio.get_running_loop()
    if args.silent:
        server = await loop.create_server(Silent, "127.0.0.1", args.port)
    else:
        tls = None
        pair = args.starttls or args.implicit_tls
        if pair:
            tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
            tls.load_cert_chain(pair[0], pair[1])
        handler = Recorder(args)
        options = {}
        if args.auth:
            options = {"authenticator": authenticator(args.auth), "auth_required": True}

        def factory():
            return SMTP(handler, hostname="velocrest-test", tls_context=tls if args.starttls else None,
                        require_starttls=bool(args.starttls), loop=loop, **options)

        server = await loop.create_server(factory, "127.0.0.1", args.port,
                                          ssl=tls if args.implicit_tls else None)
    emit("port %d" % server.sockets[0].getsockname()[1], always=True)
    stop = asyncio.Event()
    for signum in (signal.SIGTERM, signal.SIGINT):
        loop.add_signal_handler(signum, stop.set)
    await stop.wait()
    server.close()


if __name__ == "__main__":
    asyncio.run(main())
