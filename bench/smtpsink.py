"""The SMTP server of the send benchmark: accepts connections on a loopback
port, answers every command and discards the message. It offers PIPELINING,
8BITMIME and SIZE; given a certificate, STARTTLS, and after it AUTH PLAIN
and LOGIN, taking any password. Like any long-running server it keeps one
TLS context, so clients can resume their sessions.

Usage: smtpsink.py [--delay MS] [--tls CERT KEY]
Prints its port, then, for every connection that ends, "waits N": how many
times the client had to wait for the server. Each such round trip is delayed
by MS milliseconds, as a distant server would be."""

import argparse
import asyncio
import ssl


async def serve(reader, writer, delay, tls):
    waits = 0
    pending = []

    async def flush():
        # Replies gathered from one read leave together, after the delay.
        nonlocal waits
        if delay:
            await asyncio.sleep(delay / 1000)
        writer.write(b"".join(pending))
        pending.clear()
        waits += 1
        await writer.drain()

    pending.append(b"220 sink ready\r\n")
    await flush()
    buffer = bytearray()
    in_data = False
    login = 0  # AUTH LOGIN lines still to come
    encrypted = False
    done = False
    while not done:
        chunk = await reader.read(65536)
        if not chunk:
            break
        buffer += chunk
        start_tls = False
        while True:
            if in_data:
                # The message is dropped as it comes: only the last bytes
                # are kept, in case the terminator straddles two reads.
                end = buffer.find(b"\r\n.\r\n")
                if end < 0:
                    del buffer[: max(0, len(buffer) - 4)]
                    break
                del buffer[: end + 5]
                in_data = False
                pending.append(b"250 queued\r\n")
                continue
            end = buffer.find(b"\r\n")
            if end < 0:
                break
            line = bytes(buffer[:end])
            del buffer[: end + 2]
            verb = line[:4].upper()
            if login:
                login -= 1
                pending.append(b"334 UGFzc3dvcmQ6\r\n" if login else b"235 2.7.0 signed in\r\n")
            elif verb == b"EHLO":
                pending.append(b"250-sink\r\n250-PIPELINING\r\n250-8BITMIME\r\n")
                if tls and not encrypted:
                    pending.append(b"250-STARTTLS\r\n")
                if encrypted:
                    pending.append(b"250-AUTH PLAIN LOGIN\r\n")
                pending.append(b"250 SIZE 100000000\r\n")
            elif verb == b"STAR":
                pending.append(b"220 go ahead\r\n")
                start_tls = True
            elif verb == b"AUTH":
                if line.upper().startswith(b"AUTH LOGIN"):
                    login = 2
                    pending.append(b"334 VXNlcm5hbWU6\r\n")
                else:
                    pending.append(b"235 2.7.0 signed in\r\n")
            elif verb == b"DATA":
                in_data = True
                # the terminator search needs the line break before the dot
                buffer[:0] = b"\r\n"
                pending.append(b"354 go ahead\r\n")
            elif verb == b"QUIT":
                pending.append(b"221 bye\r\n")
                done = True
            else:
                pending.append(b"250 ok\r\n")
        if pending:
            await flush()
        if start_tls:
            await writer.start_tls(tls)
            encrypted = True
    writer.close()
    print(f"waits {waits}", flush=True)


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--delay", type=int, default=0)
    parser.add_argument("--tls", nargs=2)
    options = parser.parse_args()
    tls = None
    if options.tls:
        tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls.load_cert_chain(*options.tls)

    async def connection(reader, writer):
        sock = writer.get_extra_info("socket")
        sock.setsockopt(6, 1, 1)  # TCP_NODELAY
        try:
            await serve(reader, writer, options.delay, tls)
        except (ConnectionError, ssl.SSLError):
            print("waits 0", flush=True)

    server = await asyncio.start_server(connection, "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


asyncio.run(main())
