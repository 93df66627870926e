// Ten frames a second, as the Windows program's timer, while the page is
// shown. A hidden page (another tab, a minimised window, a locked phone)
// draws nothing and keeps no timer; shown again it goes on from the frame
// it was at.
export const FRAME_PERIOD_MS = 100;

export function makeFrameLoop(step) {
  const loop = { wanted: false, timer: 0 };
  const start = () => {
    if (!loop.timer && loop.wanted && !document.hidden) {
      loop.timer = setInterval(step, FRAME_PERIOD_MS);
    }
  };
  const halt = () => {
    clearInterval(loop.timer);
    loop.timer = 0;
  };
  document.addEventListener('visibilitychange', () => (document.hidden ? halt() : start()));
  loop.run = () => {
    loop.wanted = true;
    start();
  };
  loop.stop = () => {
    loop.wanted = false;
    halt();
  };
  return loop;
}
