#!/usr/bin/python3
"""A WebSocket server on 127.0.0.1 for the link's test: it echoes every text message,
answers "bye" by closing, and writes every HTTP request and every message it receives to
a log, so that the test can tell what reached it. Serves TLS with the given certificate on one port and plain
WebSocket on another, and prints both ports once it listens."""
import asyncio
import ssl
import sys

import websockets


async def main(cert, key, log_path):
    log = open(log_path, "a", buffering=1)

    async def echo(socket, path=None):
        async for message in socket:
            log.write(message + "\n")
            if message == "bye":
                await socket.close(1000)
                return
            await socket.send(message)

    # Called for each HTTP request read, before the WebSocket answer.
    def request_read(path, headers):
        log.write("HTTP request: GET " + path + "\n")

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    secure = await websockets.serve(echo, "127.0.0.1", 0, ssl=context, process_request=request_read)
    plain = await websockets.serve(echo, "127.0.0.1", 0, process_request=request_read)
    ports = [s.server.sockets[0].getsockname()[1] for s in (secure, plain)]
    print(*ports, flush=True)
    await asyncio.Future()


asyncio.run(main(*sys.argv[1:4]))
