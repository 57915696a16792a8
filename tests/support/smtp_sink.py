#!/usr/bin/env python3
"""A mail server on loopback for the tests. Prints its port, takes one message, prints
it as JSON and ends; ends anyway after a minute. Every user logs in, over plain SMTP,
unless the password is "wrong"."""

import json
import logging
import socket
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

# aiosmtpd logs a warning of its own use of a name it deprecates at every login.
logging.getLogger("mail.log").setLevel(logging.ERROR)
taken = threading.Event()
message = {}


class KeepOne:
    async def handle_DATA(self, server, session, envelope):
        login = session.auth_data if isinstance(session.auth_data, LoginPassword) else LoginPassword(b"", b"")
        message.update({"from": envelope.mail_from, "to": envelope.rcpt_tos, "login": login.login.decode(),
                        "password": login.password.decode(),
                        "content": envelope.original_content.decode("utf-8", "replace")})
        taken.set()
        return "250 Message accepted"


def authenticate(server, session, envelope, mechanism, auth_data):
    # Not handled: the server itself answers a refused login.
    return AuthResult(success=auth_data.password != b"wrong", handled=False, auth_data=auth_data)


with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
controller = Controller(KeepOne(), hostname="127.0.0.1", port=port, authenticator=authenticate,
                        auth_require_tls=False)
controller.start()
print(port, flush=True)
taken.wait(60)
controller.stop()
print(json.dumps(message), flush=True)
sys.exit(0)
