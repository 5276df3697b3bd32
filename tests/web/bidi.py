#!/usr/bin/python3
"""A headless Firefox (Gecko) driven over WebDriver BiDi, which Firefox speaks
itself: no geckodriver is needed.

    with Browser() as browser:
        browser.navigate("http://127.0.0.1:8642/")

Runs with Debian's /usr/bin/python3 and its python3-websocket. The remote
agent's recommended settings keep Firefox's own services off the network.
Firefox listens
on a port it chooses and says so on its standard error ("WebDriver BiDi
listening on ws://..."); its /session endpoint refuses a websocket request
that carries an Origin header. The browser ends as driven.py says.
"""

import base64
import json

import websocket

from driven import DrivenBrowser, DrivenError, WebDriverInput

# Gecko's names for the ARIA roles where they differ.
_ROLES = {"img": ["img", "image"]}


class Browser(WebDriverInput, DrivenBrowser):
    engine = "firefox"

    def __init__(self, firefox="firefox-esr", timeout=30):
        super().__init__(timeout)
        self.firefox = firefox
        self.context = None
        self._next_id = 0
        self._errors = []

    def start(self):
        super().start()
        self.spawn([self.firefox, "--headless", "--no-remote", "--profile", self.profile,
                    "--remote-debugging-port=0", "about:blank"],
                   env={"MOZ_CRASHREPORTER_DISABLE": "1"})
        address = self.announced(r"WebDriver BiDi listening on (ws://\S+)")
        self.socket = websocket.create_connection(address + "/session", timeout=self.timeout,
                                                  suppress_origin=True)
        self.send("session.new", capabilities={})
        self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]
        self.send("session.subscribe", events=["log.entryAdded"])

    # The protocol: one command at a time; the console's errors are kept.

    def send(self, method, timeout=None, **params):
        self._next_id += 1
        ident = self._next_id
        self.socket.settimeout(self.timeout if timeout is None else timeout)
        self.socket.send(json.dumps({"id": ident, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                self._note(message)
            elif message.get("id") == ident:
                if message.get("type") == "error":
                    raise DrivenError(f"{method}: {message.get('error')}: "
                                      f"{message.get('message')}")
                return message.get("result", {})

    def _note(self, event):
        if event.get("method") != "log.entryAdded":
            return
        entry = event.get("params", {})
        if entry.get("level") == "error":
            self._errors.append(entry.get("text") or " ".join(
                str(_value(argument)) for argument in entry.get("args", [])))

    # What every driven browser does.

    def navigate(self, url):
        self.send("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def back(self):
        self.send("browsingContext.traverseHistory", context=self.context, delta=-1)

    def evaluate(self, expression, await_promise=False, timeout=None):
        result = self.send("script.evaluate", timeout=timeout, expression=expression,
                           target={"context": self.context}, awaitPromise=await_promise)
        if result.get("type") == "exception":
            details = result.get("exceptionDetails", {})
            raise DrivenError(f"{expression}: {details.get('text')}")
        return _value(result["result"])

    def perform(self, actions):
        self.send("input.performActions", context=self.context, actions=actions)
        self.send("input.releaseActions", context=self.context)

    def screenshot(self, path):
        data = self.send("browsingContext.captureScreenshot", context=self.context)["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def set_viewport(self, width, height):
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": width, "height": height})

    def page_errors(self):
        return list(self._errors)

    def forget_errors(self):
        self._errors.clear()

    def presents(self, element_id, role, name):
        for own in _ROLES.get(role, [role]):
            nodes = self.send("browsingContext.locateNodes", context=self.context,
                              locator={"type": "accessibility",
                                       "value": {"role": own, "name": name}})["nodes"]
            if any(node.get("value", {}).get("attributes", {}).get("id") == element_id
                   for node in nodes):
                return True
        return False


def _value(remote):
    """A BiDi remote value as Python's: what JSON could hold, and None for the rest."""
    kind, value = remote.get("type"), remote.get("value")
    if kind in ("string", "boolean"):
        return value
    if kind == "number":
        return value if not isinstance(value, str) else float(value.replace("Infinity", "inf"))
    if kind == "array":
        return [_value(item) for item in value]
    if kind == "object":
        return {key if isinstance(key, str) else str(_value(key)): _value(item)
                for key, item in value}
    return None
