// The runner page's side of the window tests: the test program's arguments
// (?arg=... in the address), its output on the console, and the questions the
// driver asks the harness (window_tests.py) through the DevTools binding
// window.aurisplotDriver, which the harness answers with runnerAnswer().
"use strict";

const aurisplotRunner = (() => {
  const pending = new Map();
  let next = 0;
  return {
    // A promise of the harness's answer to the request (an object).
    ask(request) {
      return new Promise((resolve) => {
        next += 1;
        pending.set(next, resolve);
        window.aurisplotDriver(JSON.stringify({ id: next, ...request }));
      });
    },
    // Resolved from a task of its own, so that the harness's evaluate returns
    // before the test program goes on.
    answer(id, value) {
      const resolve = pending.get(id);
      pending.delete(id);
      setTimeout(() => resolve(value), 0);
      return true;
    },
    ended(status) {
      window.testStatus = status;
      console.log(`[window tests ended with status ${status}]`);
    },
  };
})();

function runnerAnswer(id, value) {
  return aurisplotRunner.answer(id, value);
}

var Module = {
  arguments: new URLSearchParams(location.search).getAll("arg"),
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onAbort: (what) => aurisplotRunner.ended(`aborted: ${what}`),
};
